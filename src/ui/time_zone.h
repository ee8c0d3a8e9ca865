#pragma once
// Summer time by each place's own rules, from the system's time-zone database (Debian: tzdata)
// through QTimeZone. The computations below the user interface know no clock and no Qt; they take
// the summer hour, or the instants of its changes, as plain numbers from here.
//
// "Summer hours" are the hours a place's clock is ahead of its standard time (Location::ZoneHours):
// 0 or 1 almost everywhere, 0.5 on Lord Howe Island, 2 in the "double summer time" of the 1940s,
// and negative where a clock is put back for a season (Morocco in Ramadan). A place without a zone
// name, an instant before 1900 (before the first summer time) and a system without the database
// give 0: the place keeps standard time; the program says once that the database is missing.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "calendars/year_calendar.h"
#include "core/shared_types.h"
#include "core/time_scales.h"

namespace zenitra {

/// Whether the time-zone database answers for `probeZone`.
[[nodiscard]] bool TimeZoneDatabaseAvailable(const QByteArray& probeZone = QByteArrayLiteral("Europe/Berlin"));
/// The message for the user when the database is missing (nothing when it is there).
[[nodiscard]] std::optional<QString> TimeZoneDatabaseMessage(
    const QByteArray& probeZone = QByteArrayLiteral("Europe/Berlin"));

/// Summer hours of `place` at the instant `julianDayUt` (Julian Day, universal time).
[[nodiscard]] double SummerHoursAt(const Location& place, JulianDay julianDayUt);

/// Summer hours of `place` at a moment of its own clock: date and clock time as the place's clock
/// shows them (summer time where it is in force). A clock time that occurs twice, in the hour the
/// clock is put back, is read as the first (summer time); one that is skipped, in the hour the
/// clock is put forward, as already summer time.
[[nodiscard]] double SummerHours(const Location& place, int year, int month, int day, int hour, int minute,
                                 int second);

/// The changes between standard and summer time whose date on the place's clock lies in `year`,
/// in time order: the instant (UT) and the place's date when its clock changes. Changes between
/// two summer offsets (double summer time) and seasonal put-backs below standard time are none.
[[nodiscard]] std::vector<yearcal::SummerTimeChange> SummerTimeChanges(const Location& place, int year);

/// The place's calendar date and clock time at an instant.
struct PlaceClock {
  LocalMoment Clock;         ///< date and clock time as the place's clock shows them
  double SummerHours = 0.0;  ///< included in the clock time; 0 when summer time was not asked for
};
/// The place's clock at `instant` (in any zone; taken as the instant it is): universal time plus the zone
/// plus, with `summerTime`, the summer hours. Seconds are whole (the clock's current second).
[[nodiscard]] PlaceClock PlaceClockAt(const Location& place, const QDateTime& instant, bool summerTime = true);
/// The place's clock now, from the computer's clock.
[[nodiscard]] PlaceClock PlaceClockNow(const Location& place, bool summerTime = true);

/// The clock of Central Europe (Europe/Berlin, summer time included) now, whatever the computer's
/// own zone: the day-night map reads its clock time as Central European time. The computer's clock
/// when the time-zone database is missing.
[[nodiscard]] QDateTime CentralEuropeanNow();

}  // namespace zenitra
