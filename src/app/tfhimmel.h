#pragma once
// The main window: the sky above the chosen place at the shown moment, with the top bar of
// controls, the main menu, the animation timers and the settings file.
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>

#include "sky/animation.h"
#include "ui/catalogue.h"
#include "sky/position_registers.h"
#include "app/settings.h"
#include "sky/sky_renderer.h"
#include "info_windows/information_windows.h"

class QDialog;

namespace zenitra {

class Tfhimmel;

/// The drawing area: paints the map drawn by the main window and turns the view while dragged.
class SkyPaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit SkyPaintBox(Tfhimmel& owner, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Tfhimmel& owner_;
  QImage canvas_;  // the off-screen picture when the map is not drawn into the backing store
};

class Tfhimmel : public QMainWindow {
  Q_OBJECT
 public:
  /// `catalogue` is the loaded catalogue; `settingsFolder` the folder of "zenitra.ini" (empty: the
  /// per-user configuration folder).
  explicit Tfhimmel(Catalogue catalogue, QString settingsFolder = {}, QWidget* parent = nullptr);
  ~Tfhimmel() override;

  // State read by the drawing and by other windows.
  [[nodiscard]] const SkyView& View() const { return view_; }
  [[nodiscard]] const Catalogue& CatalogueData() const { return catalogue_; }
  [[nodiscard]] PositionRegisters& Registers() { return registers_; }
  [[nodiscard]] const AnimationControl& Animation() const { return animation_; }
  [[nodiscard]] QString SettingsPath() const { return SettingsFilePath(settingsFolder_); }
  /// The action of a menu item by its caption ("Ekliptik", "Sternnamen", "Simulation", ...).
  [[nodiscard]] QAction* MenuAction(const QString& caption) const { return actions_.value(caption); }

  /// Hooks for the layers and windows that later parts of the program add.
  SkyLayerHooks LayerHooks;
  /// The ephemeris, Moon and Sun windows (created hidden with the main window).
  [[nodiscard]] InformationWindows& Information() { return *information_; }
  /// The shown moment as the information windows receive it: zone of the place and local clock time.
  [[nodiscard]] InfoWindowMoment ShownInfoMoment() const;
  /// A click on a drawn body: "Sonne" and "Mond" bring their window to the front or show it with
  /// the shown moment; any other name (a planet) opens Tuplanet modal.
  void OpenBodyWindow(const QString& bodyName);
  /// Shows a message to the user (an information box by default; tests replace it).
  std::function<void(const QString&)> ShowMessage;
  /// The computer's clock, as a UTC instant (tests replace it).
  std::function<QDateTime()> Now;
  /// The chosen place's date and clock time at an instant: what real-time mode and the first
  /// activation show.
  [[nodiscard]] ShownMoment MomentAtPlace(const QDateTime& instant) const;
  /// Shows the information text of a clicked star in a modal information box with its top-left
  /// corner at the given screen point (tests replace it).
  std::function<void(const QString& text, QPoint topLeft)> ShowStarInformation;
  /// Runs a modal window this window opens (a calendar, the orbits, a dialog) and returns its
  /// result, QDialog::exec by default. Tests replace it to look at the window without a nested
  /// event loop, so a window that fails to open cannot leave a test waiting.
  std::function<int(QDialog&)> RunModal;

  /// Runs once, on the first activation: settings, place, time list, date, panorama, step.
  void FormActivate();
  /// Draws the map into a new image of the drawing area's size and shows it.
  void Repaint();
  /// Draws the map into `image` (its size is the drawing area), as the paint event does.
  void malen(QImage& image);
  /// Applies the place of list entry `index` (nothing for -1).
  void ComboBox1Change(int index);
  /// Appends a place-list record (a place the user entered) to the place list; returns its index,
  /// or -1 for a record that is no place.
  int AddPlace(const QString& record);
  /// The settings as they would be written now.
  [[nodiscard]] SettingsValues CurrentSettings() const;

  // Controls, named as designed.
  QToolButton* S20 = nullptr;       ///< start/stop
  QSpinBox* RxSpinEdit1 = nullptr;  ///< speed 1..100
  QToolButton* S34 = nullptr;       ///< real-time mode
  QComboBox* CB1 = nullptr;         ///< step list
  QToolButton* S29 = nullptr;       ///< reverse
  QDateEdit* DE1 = nullptr;         ///< date
  QComboBox* cb2 = nullptr;         ///< time of day
  QToolButton* S7 = nullptr;        ///< star names
  QToolButton* S25 = nullptr;       ///< constellation names
  QToolButton* S5 = nullptr;        ///< constellation lines
  QComboBox* ComboBox1 = nullptr;   ///< place
  QSpinBox* rx2 = nullptr;          ///< azimuth at the centre
  SkyPaintBox* PB1 = nullptr;
  QTimer* Timer1 = nullptr;         ///< animation; wakes every AnimationWakeIntervalMs
  QTimer* Timer2 = nullptr;         ///< real time, 1000 ms

  // Commands of the menu and the buttons.
  void StartStop();
  void Reverse();
  /// One step of the chosen size forwards or backwards (Alt+Right, Alt+Left).
  void StepForward();
  void StepBackward();
  void Faster();
  void Slower();
  void RealTimeClicked();
  void CycleStarNames();
  void CycleConstellationNames();
  void SetDirection(int azimuth);
  /// The animation's step interval in ms, round(101 - speed): one step falls due per interval.
  [[nodiscard]] int StepIntervalMs() const { return stepIntervalMs_; }
  /// One animation step (one tick of the designed timer) and a request to draw.
  void Timer1Timer();
  /// `Timer1` fired: applies every step that fell due since the last time (StepPacer) and asks for
  /// one drawing at the next display frame, so the map is drawn at most once per frame however
  /// short the interval.
  void AnimationStepsDue();
  void Timer2Timer();
  void DE1Change();
  void cb2Change();

  // Mouse on PB1: a click on a body or (with star information on) a star, otherwise dragging the
  // view. Clicks are matched against the registers of the last drawing only.
  void PB1MouseDown(int x, int y);
  void PB1MouseMove(int x);
  void PB1MouseUp();

 signals:
  /// A click hit a body of the last drawing: "Merkur" ... "Uranus", "Sonne" or "Mond".
  void BodyClicked(const QString& name);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTopBar();
  void BuildMenu();
  QAction* AddSwitch(QMenu* menu, const QString& caption, bool DisplaySwitches::*flag);
  /// One step of a name mode's cycle (kDisplaySwitchTable), its menu check mark and a repaint.
  void CycleNameMode(std::uint8_t DisplaySwitches::*mode);
  void KeepOnScreen();
  void StepBy(double direction);
  void ApplySettings(const SettingsValues& values);
  void SyncAnimationWidgets();
  void SetMoment(const ShownMoment& moment);
  /// Applies up to `steps` animation steps; false when a step stopped the animation.
  bool ApplyAnimationSteps(long long steps);
  /// Asks for a drawing no sooner than one display frame after the last one began.
  void RequestAnimationFrame();
  /// Sets the step interval and the wake-up interval of Timer1 that follows from it.
  void SetStepInterval(int ms);
  [[nodiscard]] long long FramePeriod() const;

  Catalogue catalogue_;
  SkyGeometry geometry_;
  QString settingsFolder_;
  SkyView view_;
  SkyPictures pictures_;
  bool horizonLoaded_ = false;  ///< pictures_ decoded (at the first drawing with the horizon on)
  PositionRegisters registers_;
  AnimationControl animation_;
  StepPacer pacer_;
  int stepIntervalMs_ = 20;
  QElapsedTimer steadyClock_;
  QTimer* frameTimer_ = nullptr;    // single shot: the next display frame
  long long lastDrawNs_ = -(1LL << 62);
  QMap<QString, QAction*> actions_;
  bool firstActivation_ = true;
  bool dragging_ = false;
  int dragStartX_ = 0;
  int dragStartAzimuth_ = 0;
  std::unique_ptr<InformationWindows> information_;  // last: its windows read the state above
};

}  // namespace zenitra
