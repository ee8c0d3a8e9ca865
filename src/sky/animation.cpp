#include "sky/animation.h"

#include <algorithm>
#include <cmath>

#include "core/time_scales.h"
#include "sky/projection.h"

namespace zenitra {

namespace {

struct Step {
  const char16_t* Caption;
  double Days;
};
constexpr Step kSteps[16] = {
    {u"15 Sekunden", 15.0 / 86400.0}, {u"30 Sekunden", 30.0 / 86400.0}, {u"1 Minute", 1.0 / 1440.0},
    {u"2 Minuten", 2.0 / 1440.0},     {u"3 Minuten", 3.0 / 1440.0},     {u"5 Minuten", 5.0 / 1440.0},
    {u"10 Minuten", 10.0 / 1440.0},   {u"15 Minuten", 15.0 / 1440.0},   {u"30 Minuten", 30.0 / 1440.0},
    {u"1 Stunde", 1.0 / 24.0},        {u"2 Stunden", 2.0 / 24.0},       {u"3 Stunden", 3.0 / 24.0},
    {u"6 Stunden", 0.25},             {u"12 Stunden", 0.5},
    {u"23 h 56 min", 0.9972621969282218},  // one sidereal day, 86163.45 s
    {u"24 Stunden", 1.0}};

}  // namespace

QStringList AnimationStepCaptions() {
  QStringList captions;
  for (const Step& s : kSteps) captions << QString::fromUtf16(s.Caption);
  return captions;
}

double AnimationStepDays(int index) {
  if (index < 0 || index >= 16) index = 0;
  return kSteps[index].Days;
}

ShownMoment AdvanceMoment(const ShownMoment& m, double direction, double stepDays) {
  // Steps on the shown clock; the zone plays no part in clock arithmetic.
  const LocalMoment clock{m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second, 0.0, 0.0};
  return ClockOf(clock.ShiftedByDays(direction * stepDays));
}

int TimerIntervalForSpeed(double speed) {
  if (!std::isfinite(speed)) return 100;
  return RoundHalfEven(101.0 - std::clamp(speed, 1.0, 100.0));
}

int StoredSpeedInterval(int speed) { return 100 - speed; }

std::optional<int> FasterSpeed(double speed) {
  if (!std::isfinite(speed)) return std::nullopt;
  const int v = RoundHalfEven(std::clamp(speed, 0.0, 101.0)) + 1;
  if (v < 100) return v;
  return std::nullopt;
}

std::optional<int> SlowerSpeed(double speed) {
  if (!std::isfinite(speed)) return std::nullopt;
  const int v = RoundHalfEven(std::clamp(speed, 0.0, 101.0)) - 1;
  if (v > 1) return v;
  return std::nullopt;
}

void AnimationControl::StartStop() {
  LeaveRealTime();
  Running = !Running;
  Timer1Enabled = Running;
}

void AnimationControl::RealTimeClicked(bool down) {
  RealTimeDown = down;
  Timer2Enabled = down;
  if (down) Timer1Enabled = false;
}

void AnimationControl::LeaveRealTime() {
  if (!RealTimeDown) return;
  RealTimeDown = false;
  Timer2Enabled = false;
}

TickResult AnimationTick(AnimationControl& control, const ShownMoment& moment, int stepIndex) {
  TickResult result{moment, false, {}};
  if (!control.Running) return result;
  try {
    result.Moment = AdvanceMoment(moment, control.Direction, AnimationStepDays(stepIndex));
    result.Redraw = true;
  } catch (const ConversionError&) {
    control.Running = false;
    control.Timer1Enabled = false;
    result.Message = QStringLiteral(
        "Die Animation wurde angehalten: Der nächste Zeitpunkt liegt außerhalb der Jahre, die der "
        "Kalender berechnen kann.");
  }
  return result;
}

void StepPacer::Restart(long long nowNs, int intervalMs) {
  StartNs = nowNs;
  Applied = 0;
  IntervalMs = std::max(1, intervalMs);
}

long long StepPacer::Take(long long nowNs) {
  const long long intervalNs = static_cast<long long>(IntervalMs) * 1'000'000;
  const long long due = std::max(0LL, nowNs - StartNs) / intervalNs - Applied;
  const long long oneSecond = std::max(1, 1000 / IntervalMs);
  if (due > oneSecond) {
    StartNs = nowNs;
    Applied = 0;
    return oneSecond;
  }
  Applied += due;
  return due;
}

long long NanosecondsUntilNextFrame(long long nowNs, long long lastDrawNs, long long framePeriodNs) {
  const long long next = lastDrawNs + framePeriodNs;
  return next > nowNs ? next - nowNs : 0;
}

long long FramePeriodNs(double refreshRateHz) {
  if (!std::isfinite(refreshRateHz) || refreshRateHz < 20.0 || refreshRateHz > 500.0) refreshRateHz = 60.0;
  return std::llround(1e9 / refreshRateHz);
}

int AnimationWakeIntervalMs(int stepIntervalMs, long long framePeriodNs) {
  const long long frameMs = std::clamp(framePeriodNs / 1'000'000, 1LL, 1000LL);
  return std::max(stepIntervalMs, static_cast<int>(frameMs));
}

std::optional<ShownMoment> MomentFromTimeListIndex(const ShownMoment& moment, int index) {
  if (index < 0 || index >= 288) return std::nullopt;
  ShownMoment r = moment;
  r.Hour = index / 12;
  r.Minute = (index % 12) * 5;
  return r;
}

int TimeListIndex(int hour, int minute) { return minute / 5 + hour * 12; }

int DragAzimuth(int startAzimuth, int startX, int x, int width) {
  if (width <= 0) return startAzimuth;
  const double turn = 180.0 / width * (static_cast<double>(x) - startX);
  int a = startAzimuth - RoundHalfEven(std::clamp(turn, -1e6, 1e6));
  // Bounded wrap into -180..180 (one step suffices for a drag within the window; fmod for any other).
  if (a > 180 || a < -180) {
    a = static_cast<int>(std::fmod(static_cast<double>(a), 360.0));
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
  }
  return a;
}

}  // namespace zenitra
