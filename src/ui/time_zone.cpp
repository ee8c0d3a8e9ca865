#include "ui/time_zone.h"

#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace zenitra {

namespace {

constexpr qint64 kMsPerDay = 86400000;
// Julian Day of 1970-01-01 0h UT, the epoch of QDateTime's millisecond count.
constexpr double kUnixEpochJulianDay = 2440587.5;
// No clock kept summer time before 1908; the tz database's first rules are of 1916. Before 1900 no
// zone is asked, which also keeps Qt's proleptic Gregorian dates away from the Julian calendar
// that the program counts before 15 October 1582.
constexpr int kFirstSummerTimeYear = 1900;
// 1900-01-01 0h UT in milliseconds since 1970.
constexpr qint64 kFirstSummerTimeMs = -2208988800000LL;
// Beyond the year 100000 the database's yearly rule is only guessed forward; nothing there has
// summer time (and the millisecond count stays far from overflow).
constexpr qint64 kLastSummerTimeMs = 3093527980800000LL;

std::optional<QTimeZone> ZoneOf(const Location& place) {
  if (place.TimeZoneId.empty()) return std::nullopt;
  QTimeZone zone(QByteArray::fromStdString(place.TimeZoneId));
  if (!zone.isValid()) return std::nullopt;
  return zone;
}

QDateTime UtcAt(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC); }

// The tz database calls the Irish winter a negative summer time (standard time IST = UT + 1 in
// summer, winter GMT = standard - 1 h). The places' zone is the lower of the January and July
// offsets, so a year whose January or July has a negative summer offset is measured from there.
int NegativeSummerSeconds(const QTimeZone& zone, int year) {
  const int january = zone.daylightTimeOffset(QDateTime(QDate(year, 1, 15), QTime(12, 0), Qt::UTC));
  const int july = zone.daylightTimeOffset(QDateTime(QDate(year, 7, 15), QTime(12, 0), Qt::UTC));
  return std::min({0, january, july});
}

// Summer seconds at an instant (milliseconds since 1970, UTC).
double SummerSecondsAt(const QTimeZone& zone, qint64 ms) {
  if (ms < kFirstSummerTimeMs || ms > kLastSummerTimeMs) return 0.0;
  const QDateTime utc = UtcAt(ms);
  return zone.daylightTimeOffset(utc) - NegativeSummerSeconds(zone, utc.date().year());
}

// The instant at which the zone's clock shows `localMs` (the clock reading counted like a UTC
// millisecond count). The offsets a day before and after bracket any change; a reading that
// occurs twice takes the earlier instant, one that never occurs takes the offset before the gap.
qint64 InstantOfClock(const QTimeZone& zone, qint64 localMs) {
  const qint64 before = zone.offsetFromUtc(UtcAt(localMs - kMsPerDay)) * 1000LL;
  const qint64 after = zone.offsetFromUtc(UtcAt(localMs + kMsPerDay)) * 1000LL;
  const qint64 early = localMs - before;
  const qint64 late = localMs - after;
  const bool earlyHolds = zone.offsetFromUtc(UtcAt(early)) * 1000LL == before;
  const bool lateHolds = zone.offsetFromUtc(UtcAt(late)) * 1000LL == after;
  if (earlyHolds && lateHolds) return std::min(early, late);
  if (lateHolds) return late;
  return early;
}

JulianDay JulianDayOfMs(qint64 ms) { return kUnixEpochJulianDay + static_cast<double>(ms) / kMsPerDay; }

}  // namespace

bool TimeZoneDatabaseAvailable(const QByteArray& probeZone) {
  // A zone is valid only when its rules were found; asking for the list of every known zone
  // first (isTimeZoneIdAvailable) read the whole zone table at every start and told nothing more.
  return QTimeZone(probeZone).isValid();
}

std::optional<QString> TimeZoneDatabaseMessage(const QByteArray& probeZone) {
  if (TimeZoneDatabaseAvailable(probeZone)) return std::nullopt;
  return QStringLiteral("Die Zeitzonen-Datenbank (tzdata) fehlt; Sommerzeit kann nicht berechnet werden. "
                        "Alle Orte zeigen Normalzeit.");
}

double SummerHoursAt(const Location& place, JulianDay julianDayUt) {
  const double ms = std::round((julianDayUt - kUnixEpochJulianDay) * kMsPerDay);
  if (!(ms >= kFirstSummerTimeMs && ms <= kLastSummerTimeMs)) return 0.0;
  const std::optional<QTimeZone> zone = ZoneOf(place);
  if (!zone) return 0.0;
  return SummerSecondsAt(*zone, static_cast<qint64>(ms)) / 3600.0;
}

double SummerHours(const Location& place, int year, int month, int day, int hour, int minute, int second) {
  if (year < kFirstSummerTimeYear) return 0.0;
  const QDate date(year, month, day);
  if (!date.isValid()) return 0.0;
  const std::optional<QTimeZone> zone = ZoneOf(place);
  if (!zone) return 0.0;
  const qint64 localMs = QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() +
                         ((hour * 60LL + minute) * 60LL + second) * 1000LL;
  return SummerSecondsAt(*zone, InstantOfClock(*zone, localMs)) / 3600.0;
}

std::vector<yearcal::SummerTimeChange> SummerTimeChanges(const Location& place, int year) {
  std::vector<yearcal::SummerTimeChange> changes;
  if (year < kFirstSummerTimeYear || year > 99999) return changes;
  const std::optional<QTimeZone> zone = ZoneOf(place);
  if (!zone) return changes;
  // Two days on either side catch the changes whose date on the clock lies in the year.
  const QDateTime from(QDate(year, 1, 1).addDays(-2), QTime(0, 0), Qt::UTC);
  const QDateTime to(QDate(year + 1, 1, 1).addDays(2), QTime(0, 0), Qt::UTC);
  for (const QTimeZone::OffsetData& t : zone->transitions(from, to)) {
    const qint64 at = t.atUtc.toMSecsSinceEpoch();
    const double summerBefore = SummerSecondsAt(*zone, at - 1);
    const double summerAfter = SummerSecondsAt(*zone, at);
    const bool begins = summerBefore <= 0.0 && summerAfter > 0.0;
    const bool ends = summerBefore > 0.0 && summerAfter <= 0.0;
    if (!begins && !ends) continue;
    // The date on the clock as it changes: the reading just before the change.
    const qint64 clockMs = at + zone->offsetFromUtc(UtcAt(at - 1)) * 1000LL - 1;
    const QDate date = UtcAt(clockMs).date();
    if (date.year() != year) continue;
    changes.push_back({JulianDayOfMs(at), date.year(), date.month(), date.day(), begins});
  }
  return changes;
}

PlaceClock PlaceClockAt(const Location& place, const QDateTime& instant, bool summerTime) {
  const qint64 utcMs = instant.toMSecsSinceEpoch();
  PlaceClock clock;
  clock.SummerHours = summerTime ? SummerHoursAt(place, JulianDayOfMs(utcMs)) : 0.0;
  // The clock's current second: whole seconds since 1970, rounded down.
  const qint64 seconds = utcMs >= 0 ? utcMs / 1000 : -((-utcMs + 999) / 1000);
  clock.Clock = LocalMomentOfUniversal(JulianDayOfMs(seconds * 1000), place.ZoneHours, clock.SummerHours);
  return clock;
}

PlaceClock PlaceClockNow(const Location& place, bool summerTime) {
  return PlaceClockAt(place, QDateTime::currentDateTimeUtc(), summerTime);
}

QDateTime CentralEuropeanNow() {
  const QTimeZone berlin(QByteArrayLiteral("Europe/Berlin"));
  if (!berlin.isValid()) return QDateTime::currentDateTime();
  return QDateTime::currentDateTimeUtc().toTimeZone(berlin);
}

}  // namespace zenitra
