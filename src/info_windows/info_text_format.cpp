#include "info_windows/info_text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zenitra {

namespace {

// Days from 1899-12-30 beyond which no date is shown (about +-2.7 million years).
constexpr double kMaxDays = 1.0e9;

}  // namespace

QString FormatFixed(const QLocale& locale, double value, int decimals) {
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  // The digits printf's "%.*f" gives (the exact binary value rounded half to even), by
  // std::to_chars, which writes the same digits in a sixth of the time; printf for what the
  // buffer cannot hold.
  char buffer[512];
  const int places = decimals < 0 ? 6 : decimals;  // printf's precision for a negative one
  const std::to_chars_result written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
  QString text;
  if (written.ec == std::errc()) {
    text = QString::fromLatin1(buffer, written.ptr - buffer);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    text = QString::fromLatin1(buffer);
  }
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
  if (!std::isfinite(t.Days) || std::fabs(t.Days) > kMaxDays) return std::nullopt;
  try {
    // The core's calendar (Julian before 1582-10-15) and a floored day, so that moments before
    // 1899-12-30 keep their time of day instead of mirroring it around midnight.
    const CivilDateTime c = CivilDateTimeOf(DateTimeToJulianDay(t));
    return DecodedDateTime{c.Date, QTime(c.Hour, c.Minute, c.Second)};
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

QString LongTimePattern(const QLocale& locale) {
  // Qt's long formats carry the time-zone name ("t", "tttt"); the window shows local clock times of
  // the place, whose zone is not the computer's, so it is left out.
  // Each run of "t" goes with the blanks around it (by hand: a regular expression would load and
  // compile PCRE for this alone).
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString pattern;
  for (qsizetype i = 0; i < format.size(); ++i) {
    if (format[i] != u't') {
      pattern += format[i];
      continue;
    }
    while (!pattern.isEmpty() && pattern.back().isSpace()) pattern.chop(1);
    while (i + 1 < format.size() && (format[i + 1] == u't' || format[i + 1].isSpace())) ++i;
  }
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

QString ShortDateText(const QLocale& locale, const CivilDate& date) {
  // The pattern is filled by hand: QDate knows only the proleptic Gregorian calendar, while the
  // program's dates are Julian before 1582-10-15 (1500-02-29 exists).
  const QString pattern = ShortDatePattern(locale);
  QString text;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    qsizetype n = 1;
    while (i + n < pattern.size() && pattern[i + n] == c) ++n;
    if (c == u'd') {
      text += QString::number(date.day).rightJustified(n >= 2 ? 2 : 1, u'0');
    } else if (c == u'M' && n >= 3) {
      text += locale.monthName(date.month, n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
    } else if (c == u'M') {
      text += QString::number(date.month).rightJustified(n >= 2 ? 2 : 1, u'0');
    } else if (c == u'y') {
      text += date.year < 0 ? QStringLiteral("-") + QString::number(-date.year).rightJustified(4, u'0')
                            : QString::number(date.year).rightJustified(4, u'0');
    } else {
      text += pattern.mid(i, n);
    }
    i += n;
  }
  return text;
}

QString HourMinuteText(DateTimeValue t) {
  const std::optional<DecodedDateTime> d = DecodeDateTimeValue(t);
  if (!d) return {};
  return QStringLiteral("%1:%2").arg(d->Time.hour(), 2, 10, QChar(u'0')).arg(d->Time.minute(), 2, 10, QChar(u'0'));
}

QString DayMonthNameYearText(const QLocale& locale, DateTimeValue t) {
  const std::optional<DecodedDateTime> d = DecodeDateTimeValue(t);
  if (!d) return {};
  const CivilDate& date = d->Date;
  return QStringLiteral("%1.%2 %3")
      .arg(date.day)
      .arg(locale.standaloneMonthName(date.month, QLocale::LongFormat))
      .arg(date.year, 4, 10, QChar(u'0'));
}

}  // namespace zenitra
