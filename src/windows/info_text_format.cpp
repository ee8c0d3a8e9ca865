#include "windows/info_text_format.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zenitra {

namespace {

// Days from 1899-12-30 beyond which no date is shown (about +-2.7 million years).
constexpr double kMaxDays = 1.0e9;
constexpr qint64 kMsPerDay = 86400000;

}  // namespace

QString FormatFixed(const QLocale& locale, double value, int decimals) {
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  QString text = QString::fromLatin1(buffer);
  text.replace(u'.', locale.decimalPoint());
  return text;
}

int TruncToInt(double value) {
  if (!std::isfinite(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

double RoundHalfEvenValue(double value) { return std::nearbyint(value); }

double Frac(double value) {
  if (!std::isfinite(value)) return std::numeric_limits<double>::quiet_NaN();
  double whole = 0.0;
  return std::modf(value, &whole);
}

std::optional<DecodedDateTime> DecodeDateTimeValue(DateTimeValue t) {
  if (!std::isfinite(t) || std::fabs(t) > kMaxDays) return std::nullopt;
  double whole = 0.0;
  const double fraction = std::fabs(std::modf(t, &whole));
  qint64 ms = std::llround(fraction * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) ms = kMsPerDay - 1;  // a hair below midnight stays on its day
  DecodedDateTime r;
  r.Date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
  r.Time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
  if (!r.Date.isValid()) return std::nullopt;
  return r;
}

QString LongTimePattern(const QLocale& locale) {
  // Qt's long formats carry the time-zone name ("t", "tttt"); the window shows local clock times of
  // the place, whose zone is not the computer's, so it is left out.
  QString pattern = locale.timeFormat(QLocale::LongFormat);
  static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
  pattern.remove(zone);
  pattern = pattern.trimmed();
  return pattern.isEmpty() ? QStringLiteral("HH:mm:ss") : pattern;
}

QString ShortDatePattern(const QLocale& locale) {
  QString pattern = locale.dateFormat(QLocale::ShortFormat);
  // The windows show any year; a two-digit year would be ambiguous.
  if (!pattern.contains(QStringLiteral("yyyy"))) pattern.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
  return pattern;
}

QString LongTimeText(const QLocale& locale, DateTimeValue t) {
  const std::optional<DecodedDateTime> d = DecodeDateTimeValue(t);
  if (!d) return {};
  return locale.toString(d->Time, LongTimePattern(locale));
}

QString LongTimeText(const QLocale& locale, int hour, int minute, int second) {
  const QTime time(hour, minute, second);
  if (!time.isValid()) {
    return QStringLiteral("%1:%2:%3").arg(hour, 2, 10, QChar(u'0')).arg(minute, 2, 10, QChar(u'0')).arg(second, 2, 10, QChar(u'0'));
  }
  return locale.toString(time, LongTimePattern(locale));
}

QString ShortDateText(const QLocale& locale, DateTimeValue t) {
  const std::optional<DecodedDateTime> d = DecodeDateTimeValue(t);
  if (!d) return {};
  return ShortDateText(locale, d->Date);
}

QString ShortDateText(const QLocale& locale, const QDate& date) { return locale.toString(date, ShortDatePattern(locale)); }

QString HourMinuteText(DateTimeValue t) {
  const std::optional<DecodedDateTime> d = DecodeDateTimeValue(t);
  if (!d) return {};
  return QStringLiteral("%1:%2").arg(d->Time.hour(), 2, 10, QChar(u'0')).arg(d->Time.minute(), 2, 10, QChar(u'0'));
}

QString DayMonthNameYearText(const QLocale& locale, DateTimeValue t) {
  const std::optional<DecodedDateTime> d = DecodeDateTimeValue(t);
  if (!d) return {};
  const QDate& date = d->Date;
  return QStringLiteral("%1.%2 %3")
      .arg(date.day())
      .arg(locale.standaloneMonthName(date.month(), QLocale::LongFormat))
      .arg(date.year(), 4, 10, QChar(u'0'));
}

}  // namespace zenitra
