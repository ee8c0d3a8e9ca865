#pragma once
// Time animation of the sky map: the step list, the step arithmetic on the shown moment, the speed
// and the interplay of the start/stop command, the real-time mode and the two timers. Everything
// here is plain arithmetic and state; the main window wires it to its timers and controls.
#include <QString>
#include <QStringList>
#include <optional>

#include "ui/sky_state.h"

namespace zenitra {

/// The 16 captions of the step list, index 0 "15 Sekunden" .. 15 "24 Stunden".
[[nodiscard]] QStringList AnimationStepCaptions();
/// The step of a list index in days; any index outside 0..15 (no selection) gives that of index 0.
[[nodiscard]] double AnimationStepDays(int index);
/// Index of the step selected at first activation ("1 Minute").
inline constexpr int kDefaultStepIndex = 2;

/// The moment moved by direction x step days. The clock time is rounded to the nearest whole second
/// (a plain truncation would let a tick come out one second short). Throws ConversionError when the
/// result lies outside the years the calendar functions accept.
[[nodiscard]] ShownMoment AdvanceMoment(const ShownMoment& moment, double direction, double stepDays);

/// Timer interval of a speed 1..100: round(101 - s) ms, so 1 gives 100 ms and 100 gives 1 ms.
[[nodiscard]] int TimerIntervalForSpeed(double speed);
/// The interval set when a stored speed is applied at first activation: 100 - s ms.
[[nodiscard]] int StoredSpeedInterval(int speed);
/// "Simulation schneller" / "Simulation langsamer": the new speed, or nothing when the command does
/// nothing (the result would reach the control's limits 100 or 1).
[[nodiscard]] std::optional<int> FasterSpeed(double speed);
[[nodiscard]] std::optional<int> SlowerSpeed(double speed);

/// The animation state and the two timers: Timer1 (animation) and Timer2 (real time, 1000 ms).
struct AnimationControl {
  bool Running = false;       ///< also the check mark of "Simulation"
  double Direction = 1.0;     ///< +1 forwards, -1 backwards
  bool RealTimeDown = false;  ///< button "Ansicht aktualisieren"
  bool Timer1Enabled = false;
  bool Timer2Enabled = false;

  /// Start/stop: leaves real-time mode first, then inverts Running; Timer1 runs exactly when running.
  void StartStop();
  /// Reverses the direction; nothing else changes.
  void Reverse() { Direction = -Direction; }
  /// The real-time button was clicked and is now `down`: Timer2 runs exactly when it is down, and
  /// when down Timer1 stops (Running keeps its value).
  void RealTimeClicked(bool down);
  /// A date or time-of-day entry: releases the real-time button and stops Timer2.
  void LeaveRealTime();
};

/// The result of one animation tick.
struct TickResult {
  ShownMoment Moment;     ///< the new moment (unchanged when nothing happened or on an error)
  bool Redraw = false;    ///< the map must be drawn again
  QString Message;        ///< non-empty when the animation was stopped by an error
};
/// One tick of Timer1: does nothing unless running; otherwise advances the moment by the step of
/// the list index. A moment beyond the calendar's years stops the animation with a message instead
/// of failing on every tick.
[[nodiscard]] TickResult AnimationTick(AnimationControl& control, const ShownMoment& moment, int stepIndex);

/// Paces the animation by wall-clock time: one step falls due per timer interval however late the
/// timer fires, so the simulated time per second is step / interval whether the steps are applied
/// one per tick or several at once before a single drawing. Times are in nanoseconds of a steady
/// clock.
struct StepPacer {
  long long StartNs = 0;    ///< when the count began (start, or a change of the interval)
  long long Applied = 0;    ///< steps handed out since then
  int IntervalMs = 1;

  /// Begins counting at `nowNs` with the interval `intervalMs` (at least 1 ms).
  void Restart(long long nowNs, int intervalMs);
  /// The whole steps that fell due up to `nowNs` and were not yet handed out. A backlog of more
  /// than one second's steps (the machine slept, a modal loop held the timer) is not replayed: that
  /// second's steps are handed out and the count begins again at `nowNs`.
  [[nodiscard]] long long Take(long long nowNs);
};

/// Nanoseconds until the next drawing may start when the last one started at `lastDrawNs` and the
/// display shows a frame every `framePeriodNs`: drawings at most once per frame. 0 when due now.
[[nodiscard]] long long NanosecondsUntilNextFrame(long long nowNs, long long lastDrawNs, long long framePeriodNs);
/// The frame period of a display refresh rate in Hz; 60 Hz when the rate is unknown or absurd.
[[nodiscard]] long long FramePeriodNs(double refreshRateHz);
/// How often the animation timer wakes for a step interval: the interval itself, but no more often
/// than once per display frame (whole milliseconds, rounded down so that every frame finds steps
/// due). The steps that fell due in between are applied together (StepPacer), so the simulated
/// time per second stays step / interval.
[[nodiscard]] int AnimationWakeIntervalMs(int stepIntervalMs, long long framePeriodNs);

/// Moment after choosing entry `index` (0..287) of the time-of-day list: hour = index div 12,
/// minute = (index mod 12) 5; the second stays. Nothing for an index outside the list.
[[nodiscard]] std::optional<ShownMoment> MomentFromTimeListIndex(const ShownMoment& moment, int index);
/// Index of the time-of-day list entry for a clock time: minute div 5 + hour 12.
[[nodiscard]] int TimeListIndex(int hour, int minute);

/// Azimuth at the centre while dragging: start azimuth - round(180 / W (x - start x)), wrapped into
/// -180..180. Dragging half the width to the left turns the view by 90 degrees towards the west.
[[nodiscard]] int DragAzimuth(int startAzimuth, int startX, int x, int width);

}  // namespace zenitra
