#pragma once
// Number, date and time texts of the information windows: printf-style numbers with the locale's
// decimal separator, and the dates and times of a DateTimeValue in the locale's formats.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

#include "core/local_moment.h"
#include "core/time_scales.h"

namespace zenitra {

/// CR LF, the line end of the window texts.
inline const QString kCrLf = QStringLiteral("\r\n");

/// printf "%.<decimals>f" of value with the locale's decimal separator and no group separators
/// ("-0,50" for -0.5 in German). Non-finite values give "NaN", "INF" or "-INF".
[[nodiscard]] QString FormatFixed(const QLocale& locale, double value, int decimals);

/// Truncation towards zero into an int that cannot overflow: non-finite values give 0, values
/// beyond the int range saturate.
[[nodiscard]] int TruncToInt(double value);
/// Rounding to the nearest integer with halves to even (as a double; NaN stays NaN).
[[nodiscard]] double RoundHalfEvenValue(double value);
/// The fractional part with the sign of the value (Frac(-1.25) = -0.25); NaN for non-finite values.
[[nodiscard]] double Frac(double value);

/// Civil date (the core's calendar: Julian before 1582-10-15) and clock time of a DateTimeValue,
/// the time of day rounded to the second and taken from the floored day, so that values below zero
/// (before 1899-12-30) read right. Nothing for non-finite or absurd values.
struct DecodedDateTime {
  CivilDate Date;
  QTime Time;
};
[[nodiscard]] std::optional<DecodedDateTime> DecodeDateTimeValue(DateTimeValue t);

/// The locale's long time format without a time-zone part ("HH:mm:ss" in German).
[[nodiscard]] QString LongTimePattern(const QLocale& locale);
/// The locale's short date format with a four-digit year ("dd.MM.yyyy" in German).
[[nodiscard]] QString ShortDatePattern(const QLocale& locale);

/// Long time text of the time of day of t; empty when t cannot be decoded.
[[nodiscard]] QString LongTimeText(const QLocale& locale, DateTimeValue t);
/// Long time text of a clock time.
[[nodiscard]] QString LongTimeText(const QLocale& locale, int hour, int minute, int second);
/// Short date text of the date of t; empty when t cannot be decoded.
[[nodiscard]] QString ShortDateText(const QLocale& locale, DateTimeValue t);
[[nodiscard]] QString ShortDateText(const QLocale& locale, const QDate& date);
/// Short date text of a civil date of the core's calendar (any year, Julian dates included).
[[nodiscard]] QString ShortDateText(const QLocale& locale, const CivilDate& date);
/// "hh:nn": hours and minutes of the time of day of t with two digits each.
[[nodiscard]] QString HourMinuteText(DateTimeValue t);
/// "d.mmmm yyyy": day without leading zero, ".", the full month name of the locale, a space and the
/// year with at least four digits ("5.Mai 2024").
[[nodiscard]] QString DayMonthNameYearText(const QLocale& locale, DateTimeValue t);

}  // namespace zenitra
