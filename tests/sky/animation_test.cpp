// Time animation: steps across year ends and leap days, the sidereal step, direction, speed,
// real-time mode, the time list and dragging.
#include "sky/animation.h"

#include <gtest/gtest.h>

#include "core/conversion_error.h"

namespace zenitra {
namespace {

std::string Text(const ShownMoment& m) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d %02d:%02d:%02d", m.Year, m.Month, m.Day, m.Hour, m.Minute,
                m.Second);
  return buffer;
}

TEST(AnimationSteps, ListHasSixteenEntriesFrom15SecondsTo24Hours) {
  const QStringList captions = AnimationStepCaptions();
  ASSERT_EQ(captions.size(), 16);
  EXPECT_EQ(captions[0], QStringLiteral("15 Sekunden"));
  EXPECT_EQ(captions[2], QStringLiteral("1 Minute"));
  EXPECT_EQ(captions[14], QStringLiteral("23 h 56 min"));
  EXPECT_EQ(captions[15], QStringLiteral("24 Stunden"));
  EXPECT_NEAR(AnimationStepDays(14) * 86400.0, 86163.45, 0.01);  // seconds
  EXPECT_DOUBLE_EQ(AnimationStepDays(-1), AnimationStepDays(0));  // no selection: 15 seconds
  for (int i = 1; i < 16; ++i) EXPECT_GT(AnimationStepDays(i), AnimationStepDays(i - 1)) << "index " << i;
}

TEST(AdvanceMoment, TwentyFourHoursAcrossNewYear) {
  const ShownMoment next = AdvanceMoment({2023, 12, 31, 23, 0, 0}, 1.0, AnimationStepDays(15));
  EXPECT_EQ(next, (ShownMoment{2024, 1, 1, 23, 0, 0})) << Text(next);
}

TEST(AdvanceMoment, BackwardsFromFirstOfMarchOfALeapYearGivesLeapDay) {
  const ShownMoment back = AdvanceMoment({2024, 3, 1, 10, 30, 0}, -1.0, AnimationStepDays(15));
  EXPECT_EQ(back, (ShownMoment{2024, 2, 29, 10, 30, 0})) << Text(back);
  const ShownMoment common = AdvanceMoment({2023, 3, 1, 10, 30, 0}, -1.0, AnimationStepDays(15));
  EXPECT_EQ(common, (ShownMoment{2023, 2, 28, 10, 30, 0})) << Text(common);
  // 1900 is no leap year in the Gregorian calendar.
  const ShownMoment y1900 = AdvanceMoment({1900, 3, 1, 0, 0, 0}, -1.0, AnimationStepDays(15));
  EXPECT_EQ(y1900, (ShownMoment{1900, 2, 28, 0, 0, 0})) << Text(y1900);
}

TEST(AdvanceMoment, SiderealStepMovesTheClockBackAlmostFourMinutes) {
  // 86163.454 s = one day less 236.546 s: the clock reads 3 min 56.546 s earlier; the shown
  // second is rounded, so each tick moves the clock back by exactly 3 min 57 s.
  const ShownMoment next = AdvanceMoment({2024, 12, 24, 22, 0, 0}, 1.0, AnimationStepDays(14));
  EXPECT_EQ(next, (ShownMoment{2024, 12, 25, 21, 56, 3})) << Text(next);
  ShownMoment m{2024, 1, 1, 12, 0, 0};
  for (int i = 0; i < 10; ++i) m = AdvanceMoment(m, 1.0, AnimationStepDays(14));
  // Ten ticks: 10 x 237 s = 39 min 30 s earlier on the clock, the stars nearly in the same place.
  EXPECT_EQ(m, (ShownMoment{2024, 1, 11, 11, 20, 30})) << Text(m);
}

// Property: a step forwards and the same step backwards restore the moment, for every step size.
TEST(AdvanceMoment, ForwardThenBackwardRestoresTheMoment) {
  const ShownMoment starts[] = {{2024, 2, 28, 23, 59, 59}, {1999, 12, 31, 23, 30, 15}, {1582, 10, 15, 0, 0, 5},
                                {2100, 3, 1, 0, 0, 0}, {-500, 6, 15, 12, 0, 0}};
  for (const ShownMoment& start : starts) {
    for (int i = 0; i < 16; ++i) {
      const ShownMoment there = AdvanceMoment(start, 1.0, AnimationStepDays(i));
      EXPECT_EQ(AdvanceMoment(there, -1.0, AnimationStepDays(i)), start) << Text(start) << " step " << i;
    }
  }
  // A thousand 15-second ticks make exactly 4 h 10 min: no second is lost to rounding.
  ShownMoment m{2024, 6, 1, 0, 0, 0};
  for (int i = 0; i < 1000; ++i) m = AdvanceMoment(m, 1.0, AnimationStepDays(0));
  EXPECT_EQ(m, (ShownMoment{2024, 6, 1, 4, 10, 0})) << Text(m);
}

TEST(AnimationControl, ReverseTwiceRestoresTheDirection) {
  AnimationControl c;
  c.StartStop();
  c.Reverse();
  EXPECT_EQ(c.Direction, -1.0);
  const TickResult back = AnimationTick(c, {2024, 1, 1, 0, 0, 0}, 9);
  EXPECT_EQ(back.Moment, (ShownMoment{2023, 12, 31, 23, 0, 0})) << Text(back.Moment);
  c.Reverse();
  EXPECT_EQ(c.Direction, 1.0);
  EXPECT_TRUE(c.Running);
  EXPECT_TRUE(c.Timer1Enabled);
}

TEST(AnimationControl, TickDoesNothingWhileStopped) {
  AnimationControl c;
  const TickResult r = AnimationTick(c, {2024, 1, 1, 0, 0, 0}, 15);
  EXPECT_FALSE(r.Redraw);
  EXPECT_EQ(r.Moment, (ShownMoment{2024, 1, 1, 0, 0, 0}));
}

TEST(AnimationControl, StartFromRealTimeModeReleasesTheButtonAndStarts) {
  AnimationControl c;
  c.RealTimeClicked(true);
  EXPECT_TRUE(c.Timer2Enabled);
  EXPECT_FALSE(c.Timer1Enabled);
  c.StartStop();
  EXPECT_FALSE(c.RealTimeDown);
  EXPECT_FALSE(c.Timer2Enabled);
  EXPECT_TRUE(c.Running);
  EXPECT_TRUE(c.Timer1Enabled);
}

TEST(AnimationControl, RealTimeWhileRunningKeepsRunningFlagAndNextStartStopStops) {
  AnimationControl c;
  c.StartStop();
  c.RealTimeClicked(true);
  EXPECT_TRUE(c.Running);
  EXPECT_FALSE(c.Timer1Enabled);
  EXPECT_TRUE(c.Timer2Enabled);
  c.StartStop();
  EXPECT_FALSE(c.Running);
  EXPECT_FALSE(c.Timer1Enabled);
  EXPECT_FALSE(c.Timer2Enabled);
  EXPECT_FALSE(c.RealTimeDown);
  // Releasing the button by hand stops only the real-time timer.
  c.RealTimeClicked(true);
  c.RealTimeClicked(false);
  EXPECT_FALSE(c.Timer2Enabled);
  EXPECT_FALSE(c.Timer1Enabled);
}

TEST(AnimationControl, DateOrTimeEntryLeavesRealTimeMode) {
  AnimationControl c;
  c.RealTimeClicked(true);
  c.LeaveRealTime();
  EXPECT_FALSE(c.RealTimeDown);
  EXPECT_FALSE(c.Timer2Enabled);
}

TEST(AnimationControl, BeyondTheCalendarStopsWithAMessage) {
  AnimationControl c;
  c.StartStop();
  c.Reverse();
  // Julian Day 0 is -4712-01-01 12:00; a day earlier lies outside the calendar.
  const TickResult r = AnimationTick(c, {-4712, 1, 1, 0, 0, 0}, 15);
  EXPECT_FALSE(r.Redraw);
  EXPECT_FALSE(c.Running);
  EXPECT_FALSE(c.Timer1Enabled);
  EXPECT_TRUE(r.Message.contains(QStringLiteral("angehalten"))) << r.Message.toStdString();
  EXPECT_THROW((void)AdvanceMoment({2024, 1, 1, 0, 0, 0}, 1.0, 1e300), ConversionError);
  EXPECT_THROW((void)AdvanceMoment({2024, 1, 1, 0, 0, 0}, 1.0, std::nan("")), ConversionError);
}

TEST(AnimationSpeed, IntervalsAndFasterSlowerLimits) {
  EXPECT_EQ(TimerIntervalForSpeed(1), 100);
  EXPECT_EQ(TimerIntervalForSpeed(100), 1);
  EXPECT_EQ(TimerIntervalForSpeed(80), 21);
  EXPECT_EQ(StoredSpeedInterval(2), 98);
  EXPECT_EQ(StoredSpeedInterval(99), 1);
  EXPECT_EQ(FasterSpeed(99), std::nullopt);
  EXPECT_EQ(FasterSpeed(98), 99);
  EXPECT_EQ(TimerIntervalForSpeed(*FasterSpeed(98)), 2);
  EXPECT_EQ(SlowerSpeed(2), std::nullopt);
  EXPECT_EQ(SlowerSpeed(3), 2);
}

// Steps fall due one per interval of wall-clock time however the timer's firings are spread, so
// drawing once per frame keeps the simulated time per second at step / interval.
TEST(StepPacer, HandsOutOneStepPerIntervalWhateverTheFiringPattern) {
  constexpr long long kMs = 1'000'000;
  struct Row {
    int intervalMs;
    long long firingEveryNs;  // how the timer happens to fire
    long long expectedStepsInTenSeconds;
  };
  const Row rows[] = {{1, 1 * kMs, 10000},    // every millisecond, as designed
                      {1, 4 * kMs, 10000},    // held up by 4 ms drawings
                      {1, 16'666'667, 9983},  // once per 60 Hz frame: the last firing is at 9983.3 ms
                      {3, 7 * kMs, 3332},     {21, 16'666'667, 475}, {100, 250 * kMs, 100}};
  for (const Row& r : rows) {
    StepPacer pacer;
    pacer.Restart(5 * kMs, r.intervalMs);
    long long steps = 0;
    for (long long t = 5 * kMs + r.firingEveryNs; t <= 5 * kMs + 10'000 * kMs; t += r.firingEveryNs) {
      steps += pacer.Take(t);
    }
    EXPECT_EQ(steps, r.expectedStepsInTenSeconds)
        << "interval " << r.intervalMs << " ms, firing every " << r.firingEveryNs << " ns";
  }
}

TEST(StepPacer, ABacklogBeyondOneSecondIsNotReplayed) {
  StepPacer pacer;
  pacer.Restart(0, 1);
  EXPECT_EQ(pacer.Take(3'600'000'000'000LL), 1000);  // an hour asleep: one second's steps
  EXPECT_EQ(pacer.Take(3'600'002'000'000LL), 2);     // then counting goes on from there
}

TEST(FramePacing, DrawsAtMostOncePerDisplayFrame) {
  const long long frame = FramePeriodNs(60.0);
  EXPECT_EQ(frame, 16'666'667);
  EXPECT_EQ(FramePeriodNs(0.0), frame);  // unknown refresh rate
  EXPECT_EQ(FramePeriodNs(144.0), 6'944'444);
  EXPECT_EQ(NanosecondsUntilNextFrame(100'000'000, 90'000'000, frame), 6'666'667);
  EXPECT_EQ(NanosecondsUntilNextFrame(100'000'000, 80'000'000, frame), 0);
  // Top speed (1 ms steps) wakes once per frame; slower speeds keep their own interval.
  EXPECT_EQ(AnimationWakeIntervalMs(1, frame), 16);
  EXPECT_EQ(AnimationWakeIntervalMs(1, FramePeriodNs(144.0)), 6);
  EXPECT_EQ(AnimationWakeIntervalMs(16, frame), 16);
  EXPECT_EQ(AnimationWakeIntervalMs(17, frame), 17);
  EXPECT_EQ(AnimationWakeIntervalMs(98, frame), 98);
}

TEST(TimeList, IndexAndClockTime) {
  EXPECT_EQ(TimeListIndex(0, 0), 0);
  EXPECT_EQ(TimeListIndex(23, 59), 287);
  EXPECT_EQ(TimeListIndex(22, 7), 265);
  const std::optional<ShownMoment> m = MomentFromTimeListIndex({2024, 5, 1, 3, 4, 17}, 265);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(*m, (ShownMoment{2024, 5, 1, 22, 5, 17}));
  EXPECT_FALSE(MomentFromTimeListIndex({}, -1).has_value());
  EXPECT_FALSE(MomentFromTimeListIndex({}, 288).has_value());
}

TEST(Drag, HalfAWidthTurnsTheViewByNinetyDegrees) {
  // Dragging 0.5 W to the left brings west (90) into the centre.
  EXPECT_EQ(DragAzimuth(0, 800, 800 - 527, 1054), 90);
  EXPECT_EQ(DragAzimuth(0, 100, 100 + 527, 1054), -90);
  // The whole width turns the view by 180 degrees.
  EXPECT_EQ(DragAzimuth(0, 1054, 0, 1054), 180);
}

TEST(Drag, WrapsPast180) {
  EXPECT_EQ(DragAzimuth(170, 600, 600 - 117, 1054), -170);  // 170 + 20 = 190 -> -170
  EXPECT_EQ(DragAzimuth(-170, 600, 600 + 117, 1054), 170);
  EXPECT_EQ(DragAzimuth(180, 0, 0, 1054), 180);
  EXPECT_EQ(DragAzimuth(10, 0, 5, 0), 10);
  // Property: always within -180..180.
  for (int x = -3000; x <= 3000; x += 37) {
    const int a = DragAzimuth(135, 500, x, 1054);
    EXPECT_GE(a, -180) << "x " << x;
    EXPECT_LE(a, 180) << "x " << x;
  }
}

}  // namespace
}  // namespace zenitra
