#include "info_windows/information_windows.h"

namespace zenitra {

namespace {

void BringToFront(QWidget& window) {
  window.raise();
  window.activateWindow();
}

}  // namespace

InformationWindows::InformationWindows(QWidget* owner, std::function<Location()> place)
    : owner_(owner), place_(std::move(place)) {}

// Each window is created, hidden and as a child of the main window (so that it closes with it), when
// it is first needed: building the three took a tenth of the start-up, and most sessions open none.
Tephem& InformationWindows::Ephemeris() {
  if (!ephem_) ephem_ = new Tephem(place_, owner_);
  return *ephem_;
}

Tumond& InformationWindows::Moon() {
  if (!moon_) moon_ = new Tumond(sunMoonMoment_, place_, owner_);
  return *moon_;
}

Tusonne& InformationWindows::Sun() {
  if (!sun_) sun_ = new Tusonne(sunMoonMoment_, place_, owner_);
  return *sun_;
}

InformationWindows::~InformationWindows() {
  delete sun_;
  delete moon_;
  delete ephem_;
}

void InformationWindows::ShowEphemeris(const InfoWindowMoment& moment) {
  Tephem& ephem = Ephemeris();
  if (ephem.isVisible()) return BringToFront(ephem);
  ephem.Moment = moment;
  ephem.show();
}

void InformationWindows::ShowMoon(const InfoWindowMoment& moment) {
  Tumond& moon = Moon();
  if (moon.isVisible()) return BringToFront(moon);
  sunMoonMoment_ = moment;
  moon.show();
}

void InformationWindows::ShowSun(const InfoWindowMoment& moment) {
  Tusonne& sun = Sun();
  if (sun.isVisible()) return BringToFront(sun);
  sunMoonMoment_ = moment;
  sun.show();
}

void InformationWindows::OpenPlanet(const QString& name, const InfoWindowMoment& moment) {
  Tuplanet window(name, moment, place_(), owner_);
  RunModal(window);
}

void InformationWindows::RefreshVisible(const InfoWindowMoment& moment) {
  if (ephem_ && ephem_->isVisible()) {
    ephem_->Moment = moment;
    ephem_->RefreshEphemeris();
  }
  if (moon_ && moon_->isVisible()) {
    sunMoonMoment_ = moment;
    moon_->Refresh();
  }
  if (sun_ && sun_->isVisible()) {
    sunMoonMoment_ = moment;
    sun_->Refresh();
  }
}

}  // namespace zenitra
