#pragma once
// The information windows of the main window: the ephemeris table, the Moon and the Sun windows,
// created hidden when first needed and refreshed after every drawing while visible, and the planet
// window opened modal for a click.
#include <QObject>
#include <QString>
#include <functional>

#include "core/shared_types.h"
#include "info_windows/tephem.h"
#include "info_windows/tumond.h"
#include "info_windows/tuplanet.h"
#include "info_windows/tusonne.h"

namespace zenitra {

class InformationWindows {
 public:
  /// `owner`: the main window (parent of the windows); `place` reads its place.
  InformationWindows(QWidget* owner, std::function<Location()> place);
  /// Deletes the three windows: they refer to the moment held here.
  ~InformationWindows();
  InformationWindows(const InformationWindows&) = delete;
  InformationWindows& operator=(const InformationWindows&) = delete;

  /// The menu entries and body clicks: bring the window to the front when it is visible, otherwise
  /// hand it the moment and show it (not modal), which refreshes it.
  void ShowEphemeris(const InfoWindowMoment& moment);
  void ShowMoon(const InfoWindowMoment& moment);
  void ShowSun(const InfoWindowMoment& moment);
  /// A click on a planet: a new Tuplanet for the planet and the moment, shown modal and released.
  void OpenPlanet(const QString& name, const InfoWindowMoment& moment);

  /// After every drawing: the ephemeris, Moon and Sun windows, in this order, if visible, receive
  /// the moment and refresh.
  void RefreshVisible(const InfoWindowMoment& moment);

  /// Shows a planet window modal (QDialog::exec by default; tests replace it).
  std::function<void(Tuplanet&)> RunModal = [](Tuplanet& window) { window.exec(); };

  /// The windows, created hidden at their first use.
  [[nodiscard]] Tephem& Ephemeris();
  [[nodiscard]] Tumond& Moon();
  [[nodiscard]] Tusonne& Sun();
  /// The moment shared by the Moon and Sun windows.
  [[nodiscard]] const InfoWindowMoment& SunMoonMoment() const { return sunMoonMoment_; }

 private:
  QWidget* owner_;
  std::function<Location()> place_;
  InfoWindowMoment sunMoonMoment_;
  Tephem* ephem_ = nullptr;
  Tumond* moon_ = nullptr;
  Tusonne* sun_ = nullptr;
};

}  // namespace zenitra
