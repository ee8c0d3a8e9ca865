#include "info_windows/information_windows.h"

namespace zenitra {

namespace {

void BringToFront(QWidget& window) {
  window.raise();
  window.activateWindow();
}

}  // namespace

InformationWindows::InformationWindows(QWidget* owner, std::function<Location()> place)
    : owner_(owner), place_(std::move(place)) {
  // Created hidden, in this order, as children of the main window so that they close with it.
  ephem_ = new Tephem(place_, owner);
  moon_ = new Tumond(sunMoonMoment_, place_, owner);
  sun_ = new Tusonne(sunMoonMoment_, place_, owner);
}

InformationWindows::~InformationWindows() {
  delete sun_;
  delete moon_;
  delete ephem_;
}

void InformationWindows::ShowEphemeris(const InfoWindowMoment& moment) {
  if (ephem_->isVisible()) return BringToFront(*ephem_);
  ephem_->Moment = moment;
  ephem_->show();
}

void InformationWindows::ShowMoon(const InfoWindowMoment& moment) {
  if (moon_->isVisible()) return BringToFront(*moon_);
  sunMoonMoment_ = moment;
  moon_->show();
}

void InformationWindows::ShowSun(const InfoWindowMoment& moment) {
  if (sun_->isVisible()) return BringToFront(*sun_);
  sunMoonMoment_ = moment;
  sun_->show();
}

void InformationWindows::OpenPlanet(const QString& name, const InfoWindowMoment& moment) {
  Tuplanet window(name, moment, place_(), owner_);
  RunModal(window);
}

void InformationWindows::RefreshVisible(const InfoWindowMoment& moment) {
  if (ephem_->isVisible()) {
    ephem_->Moment = moment;
    ephem_->RefreshEphemeris();
  }
  if (moon_->isVisible()) {
    sunMoonMoment_ = moment;
    moon_->Refresh();
  }
  if (sun_->isVisible()) {
    sunMoonMoment_ = moment;
    sun_->Refresh();
  }
}

}  // namespace zenitra
