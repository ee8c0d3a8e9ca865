// The astronomical year calendar as the window shows it: lines in local time with the place's
// summer-time changes, and the window with its list.
#include "calendars/year_calendar.h"
#include "support/year_calendar_entries.h"
#include "calendar_windows/year_calendar_window.h"
#include "calendars/year_phenomena.h"
#include "app/tfhimmel.h"
#include "ui/time_zone.h"
#include "support/qstring_printer.h"
#include "support/small_catalogue.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/time_scales.h"

namespace zenitra {
namespace {
using yearcal::BuildYearCalendar;
using yearcal::CalendarEntry;
using yearcal::YearCalendar;

constexpr double kMinute = testing::kCalendarMinute;

const QLocale kGerman(QLocale::German, QLocale::Germany);

YearCalendar Calendar(int year, double zone) { return testing::CalendarOfZone(year, zone); }
using testing::EntriesStartingWith;
using testing::UniversalTime;
using testing::Utc;

// A place's calendar with its summer-time changes from the time-zone database, as the window
// builds it.
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
YearCalendar Calendar(int year, const Location& place) {
  auto calendar = BuildYearCalendar(year, place.ZoneHours, ",", SummerTimeChanges(place, year));
  EXPECT_TRUE(calendar.has_value()) << "year " << year;
  return calendar.value_or(YearCalendar{});
}

// ---- 2012 in zone +1 (the instants a Central European user reads) ----

Location Chemnitz() { return Location{"Chemnitz, D", 50.83, 12.92, 1.0, "Europe/Berlin"}; }

// Delta T of mid-2012 is the measured 66.75 s (IERS), no longer the parabola's 118.2 s: every
// computed instant of 2012 reads 51.4 s later than the lines first published for it (06:13:39
// became 06:14:30 for the equinox, 00:52:21 became 00:53:12 for the eclipse).
TEST(YearCalendar2012, ListsSpringTheAnnularEclipseAndSummerTimeWithLocalTimes) {
  const YearCalendar c = Calendar(2012, kChemnitz);
  EXPECT_NEAR(c.deltaTDays * 86400.0, 66.75, 0.05) << "Delta T of 2012 (s)";
  EXPECT_NEAR(c.start, 2455927.458, 0.001);
  EXPECT_NEAR(c.end, 2456293.458, 0.001);
  const QStringList lines = YearCalendarLines(c, 1.0, kGerman);
  EXPECT_TRUE(lines.contains(QStringLiteral("Di 20.3.12\t06:14:30\tFrühlingsanfang"))) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.contains(QStringLiteral("Mo 21.5.12\t00:53:12\tRingförmige Sonnenfinsternis")));
  EXPECT_TRUE(lines.contains(QStringLiteral("So 25.3.12\t\tBeginn Sommerzeit")));
  EXPECT_TRUE(lines.contains(QStringLiteral("So 28.10.12\t\tEnde Sommerzeit")));
}

// The local times carry the measured Delta T of 2012 (66.75 s; 51.4 s later than with 118.2 s).
TEST(YearCalendar2012, PlanetaryPhenomenaWithTheirTextsAndAngles) {
  const YearCalendar c = Calendar(2012, 1.0);
  const QStringList lines = YearCalendarLines(c, 1.0, kGerman);
  EXPECT_TRUE(lines.contains(QStringLiteral("Mi 6.6.12\t02:17:24\tVenus in unterer Konjunktion zur Sonne")))
      << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.contains(QStringLiteral("Di 27.3.12\t07:38:23\tVenus in größter östlicher Elongation :46,0°")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Mi 15.8.12\t10:34:09\tVenus in größter westlicher Elongation :45,8°")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Sa 3.3.12\t19:53:44\tMars in Opposition zur Sonne")));
  EXPECT_TRUE(lines.contains(QStringLiteral("So 13.5.12\t13:45:40\tJupiter in Konjunktion zur Sonne")));
  EXPECT_EQ(EntriesStartingWith(c, "Merkur in unterer Konjunktion").size(), 3u);
  // The inferior conjunction of the transit of Venus: 6 June 2012, 01:10 UT (U.S. Naval
  // Observatory); Meeus ch. 36 is good to a few minutes for Venus.
  const auto venus = EntriesStartingWith(c, "Venus in unterer Konjunktion");
  ASSERT_EQ(venus.size(), 1u);
  EXPECT_NEAR(UniversalTime(c, venus[0]), Utc(2012, 6, 6, 1, 10), 15 * kMinute);
  for (const auto& e : c.entries) {
    if (e.text.find("zur Sonne") != std::string::npos || e.text.find("Elongation") != std::string::npos) {
      EXPECT_EQ(e.timeShown, 0) << e.text;
    }
  }
}

TEST(YearCalendar2009, HoldsAboutOneHundredAndFifteenEntries) {
  const std::size_t n = Calendar(2009, kChemnitz).entries.size();
  EXPECT_GE(n, 110u);
  EXPECT_LE(n, 118u);
}

// ---- 2024 against published instants ----

// Summer time by the place's own rules: the last Sundays of March and October in Europe (EU
// directive 2000/84/EC), the second Sunday of March and the first of November in the United States
// (Energy Policy Act of 2005), the first Sundays of October and April in New South Wales; none in
// Japan.
TEST(YearCalendar2024, SummerTimeChangesOnThePlacesOwnSundays) {
  struct Row {
    Location place;
    const char* first;  // the summer-time lines in calendar order
    const char* second;
  };
  const Row rows[] = {
      {kChemnitz, "So 31.3.24\t\tBeginn Sommerzeit", "So 27.10.24\t\tEnde Sommerzeit"},
      {{"New York, USA", 40.75, -73.98, -5.0, "America/New_York"}, "So 10.3.24\t\tBeginn Sommerzeit",
       "So 3.11.24\t\tEnde Sommerzeit"},
      {{"Sydney, AUS", -33.92, 151.19, 10.0, "Australia/Sydney"}, "So 7.4.24\t\tEnde Sommerzeit",
       "So 6.10.24\t\tBeginn Sommerzeit"}};
  for (const Row& r : rows) {
    const QStringList lines = YearCalendarLines(Calendar(2024, r.place), r.place.ZoneHours, kGerman);
    EXPECT_EQ(lines.filter(QStringLiteral("Sommerzeit")),
              (QStringList{QString::fromUtf8(r.first), QString::fromUtf8(r.second)}))
        << r.place.Name;
  }
  const Location tokyo{"Tokio, J", 35.69, 139.75, 9.0, "Asia/Tokyo"};
  EXPECT_TRUE(YearCalendarLines(Calendar(2024, tokyo), 9.0, kGerman).filter(QStringLiteral("Sommerzeit")).isEmpty());
}

TEST(YearCalendarSummerTime, AChangeIsSortedAtLocalMidnightOfItsSundayAndShowsThePlacesDate) {
  // A change at 3:00 UT of 10 March in zone -5: the line names Sunday the 10th and is sorted at
  // that day's midnight, 5:00 UT, after the Saturday-evening events (22:00 standard time on the
  // 9th is 3:00 UT on the 10th).
  const yearcal::SummerTimeChange change{Utc(2024, 3, 10, 3, 0), 2024, 3, 10, true};
  const auto c = BuildYearCalendar(2024, -5.0, ",", {change});
  ASSERT_TRUE(c);
  const auto begin = EntriesStartingWith(*c, "Beginn Sommerzeit");
  ASSERT_EQ(begin.size(), 1u);
  EXPECT_NEAR(UniversalTime(*c, begin[0]), Utc(2024, 3, 10, 5, 0), 1e-9);
  EXPECT_EQ(begin[0].timeShown, -1);
  const QStringList lines = YearCalendarLines(*c, -5.0, kGerman);
  EXPECT_TRUE(lines.contains(QStringLiteral("So 10.3.24\t\tBeginn Sommerzeit"))) << lines.join('\n').toStdString();
  EXPECT_TRUE(EntriesStartingWith(Calendar(2024, -5.0), "Beginn Sommerzeit").empty()) << "no changes given";
}

// Germany: summer time 1916-1918 and 1940-1949, none 1950-1979; from 1980 the first Sunday of April
// (1980) or the last Sunday of March, until the last Sunday of September (to 1995) or of October.
TEST(YearCalendarSummerTime, ChemnitzChangesFollowGermanLawOverTheYears) {
  EXPECT_TRUE(EntriesStartingWith(Calendar(1915, kChemnitz), "Beginn Sommerzeit").empty());
  EXPECT_EQ(EntriesStartingWith(Calendar(1916, kChemnitz), "Beginn Sommerzeit").size(), 1u);
  for (int year = 1950; year <= 1979; ++year) {
    EXPECT_TRUE(SummerTimeChanges(kChemnitz, year).empty()) << year;
  }
  const auto lastSunday = [](int year, int month) {
    QDate d(year, month, QDate(year, month, 1).daysInMonth());
    while (d.dayOfWeek() != Qt::Sunday) d = d.addDays(-1);
    return d;
  };
  for (int year = 1980; year <= 2030; ++year) {
    const std::vector<yearcal::SummerTimeChange> changes = SummerTimeChanges(kChemnitz, year);
    ASSERT_EQ(changes.size(), 2u) << year;
    const QDate begin(changes[0].year, changes[0].month, changes[0].day);
    const QDate end(changes[1].year, changes[1].month, changes[1].day);
    EXPECT_TRUE(changes[0].begins && !changes[1].begins) << year;
    EXPECT_EQ(begin, year == 1980 ? QDate(1980, 4, 6) : lastSunday(year, 3)) << year;
    EXPECT_EQ(end, lastSunday(year, year <= 1995 ? 9 : 10)) << year;
    // At 1:00 UT, and from 1996 on the days on which the Sun window's rule changes as well.
    EXPECT_NEAR(changes[0].instantUt, Utc(year, begin.month(), begin.day(), 1, 0), 1e-9) << year;
    if (year >= 1996) {
      EXPECT_TRUE(IsSummerTime(begin.day(), 3, year) && !IsSummerTime(begin.day() - 1, 3, year)) << year;
      EXPECT_TRUE(!IsSummerTime(end.day(), 10, year) && IsSummerTime(end.day() - 1, 10, year)) << year;
    }
  }
}

// ---- order, range and content of any year ----

// Years before 1 AD are historical, as typed: -500 is 500 BC, the astronomical year -499. Every
// line of the list, the seasons, phases and planetary events as well as the perigees and apogees,
// lies in that one year; the seams to the neighbouring years lose nothing (1 BC is followed by 1 AD).
TEST(YearCalendarProperties, YearsBeforeOurEraGiveOneHistoricalYear) {
  for (const int year : {-500, -1, 1}) {
    const YearCalendar c = Calendar(year, 1.0);
    const QStringList lines = YearCalendarLines(c, 1.0, kGerman);
    const QString suffix = QStringLiteral(".") + QString::number(year < 1 ? year : year % 100);
    for (const QString& line : lines) {
      EXPECT_TRUE(line.section(QLatin1Char('\t'), 0, 0).endsWith(suffix)) << year << ": " << line.toStdString();
    }
    EXPECT_EQ(EntriesStartingWith(c, "Frühlingsanfang").size(), 1u) << year;
    EXPECT_EQ(EntriesStartingWith(c, "Winteranfang").size(), 1u) << year;
    const std::size_t perigees = EntriesStartingWith(c, "Mond im Perigäum").size();
    EXPECT_TRUE(perigees == 13u || perigees == 14u) << year << ": " << perigees << " perigees";
    const std::size_t newMoons = EntriesStartingWith(c, "Neumond").size();
    EXPECT_TRUE(newMoons == 12u || newMoons == 13u) << year << ": " << newMoons << " new moons";
  }
  // Against astronomy-engine 2.1.19 (tools/reference/year_500bc_reference.js), Terrestrial Time:
  // March equinox of 500 BC JDE 1538883.46823 (26 March, Julian calendar), apogee 1538803.43110,
  // perigee 1538818.07437. Meeus' season series is good to minutes; his apsis series errs by up to
  // about half an hour at present and more so 25 centuries back, hence one hour.
  const YearCalendar c = Calendar(-500, 1.0);
  const struct {
    const char* text;
    double jde, toleranceDays;
    const char* date;
  } published[] = {{"Frühlingsanfang", 1538883.46823, 15 * kMinute, "26.3.-500"},
                   {"Mond im Apogäum", 1538803.43110, 60 * kMinute, "5.1.-500"},
                   {"Mond im Perigäum", 1538818.07437, 60 * kMinute, "20.1.-500"}};
  for (const auto& p : published) {
    const auto found = EntriesStartingWith(c, p.text);
    ASSERT_FALSE(found.empty()) << p.text;
    EXPECT_NEAR(found[0].instant, p.jde, p.toleranceDays) << p.text << ": expected JDE " << p.jde << ", got "
                                                          << found[0].instant;
    const auto line = yearcal::CalendarLineOf(found[0], c.deltaTDays, 1.0);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->weekdayAndDate.substr(line->weekdayAndDate.find(' ') + 1), p.date) << p.text;
  }
}

TEST(Tukalender, LayoutAndHeader) {
  QLocale::setDefault(kGerman);
  Tukalender w(Chemnitz());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Astronomischer Jahreskalender"));
  EXPECT_EQ(w.size(), QSize(632, 464));
  EXPECT_EQ(w.List()->geometry(), QRect(16, 16, 601, 392));
  EXPECT_EQ(w.ShowButton()->text(), QStringLiteral("Anzeigen"));
  w.YearEdit()->setText(QStringLiteral("2012"));
  w.Button1Click();
  ASSERT_GT(w.List()->count(), 80);
  EXPECT_EQ(w.List()->item(0)->text(), QStringLiteral("Berechnungsort: Chemnitz, D"));
  EXPECT_EQ(w.List()->item(1)->text(), QStringLiteral("Geografische Breite: 50,83°"));
  EXPECT_EQ(w.List()->item(2)->text(), QStringLiteral("Geografische Länge: 12,92°"));
  EXPECT_EQ(w.List()->item(3)->text(), QStringLiteral("Zeitzone bzgl. WT: 1,00h"));
  EXPECT_EQ(w.List()->item(4)->text(), QStringLiteral(" "));
  // 07:13:57 with the former Delta T of 118.2 s; the measured 66.75 s puts it 51 s later.
  EXPECT_EQ(w.List()->item(5)->text(), QStringLiteral("So 1.1.12\t07:14:42\tZunehmender Halbmond"));
  const auto c = Calendar(2012, Chemnitz());  // the place's summer-time lines included
  EXPECT_EQ(w.List()->count(), 5 + static_cast<int>(c.entries.size()));
  QLocale::setDefault(QLocale::system());
}

// The designed stop of 50 dialog units is narrower than "Mo 12.10.26" in DejaVu Sans (the date ran
// into its time, "Mo 12.10.2610:50:46"): the stop follows the widest date or time of the list.
TEST(Tukalender, ListRowsAre14PixelsWithColumnsApartAtCommonTabStops) {
  QLocale::setDefault(kGerman);
  Tukalender w(Chemnitz());
  w.YearEdit()->setText(QStringLiteral("2026"));
  w.Button1Click();
  w.show();
  QListWidget* list = w.List();
  const auto rows = list->findItems(QStringLiteral("Mo 12.10.26\t"), Qt::MatchStartsWith);
  ASSERT_FALSE(rows.isEmpty()) << "a line of Monday 12 October 2026";
  list->scrollToItem(rows[0]);
  const QRect row = list->visualItemRect(rows[0]);
  EXPECT_EQ(row.height(), 14);
  const QImage image = list->viewport()->grab().toImage();
  const double dpr = image.devicePixelRatio();
  auto inkAt = [&](int x) {
    for (int y = static_cast<int>(row.top() * dpr); y < static_cast<int>((row.bottom() + 1) * dpr); ++y) {
      if (qGray(image.pixel(x, y)) < 128) return true;
    }
    return false;
  };
  // Runs of ink separated by at least one and a half average characters of white: the space
  // inside "Mo 12.10.26" is narrower, the space between two columns (two characters) wider.
  const double gap = 1.5 * QFontMetricsF(list->font()).averageCharWidth() * dpr;
  std::vector<double> starts;
  std::vector<double> ends;
  int blank = 1000;
  for (int x = 0; x < image.width(); ++x) {
    if (inkAt(x)) {
      if (blank >= gap) starts.push_back(x / dpr);
      blank = 0;
      ends.resize(starts.size());
      ends.back() = (x + 1) / dpr;
    } else {
      ++blank;
    }
  }
  ASSERT_GE(starts.size(), 3u) << "date, time and text columns apart: " << rows[0]->text().toStdString();
  const double stop = starts[1] - 2.0;
  EXPECT_NEAR(starts[2] - 2.0, 2.0 * stop, 2.0) << "text column at the second stop";
  EXPECT_GE(stop, 50.0 * QFontMetricsF(list->font()).averageCharWidth() / 4.0 - 1.0) << "never below the design";
  QLocale::setDefault(QLocale::system());
}

TEST(Tukalender, InvalidYearLeavesOnlyTheHeader) {
  QLocale::setDefault(kGerman);
  Tukalender w(Chemnitz());
  QStringList messages;
  w.ShowError = [&](const QString& m) { messages.append(m); };
  w.YearEdit()->setText(QStringLiteral("20x2"));
  w.Button1Click();
  EXPECT_EQ(w.List()->count(), 5);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], QStringLiteral("'20x2' ist kein gültiger Integerwert"));
  w.YearEdit()->setText(QStringLiteral("0"));
  w.Button1Click();
  EXPECT_EQ(w.List()->count(), 5);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[1], QStringLiteral("Fehler!"));
  QLocale::setDefault(QLocale::system());
}

TEST(Tukalender, ActivationResetsTheYearToTodayAndComputes) {
  Tukalender w(Chemnitz(), nullptr, [] { return QDate(2031, 7, 14); });
  w.YearEdit()->setText(QStringLiteral("1950"));
  w.FormActivate();
  EXPECT_EQ(w.YearEdit()->text(), QStringLiteral("2031"));
  EXPECT_GT(w.List()->count(), 80);
}

TEST(Tukalender, MainWindowMenuOpensTheCalendarModally) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  Tfhimmel main(zenitra::testing::SmallCatalogue(), dir.path());
  main.show();
  QAction* entry = main.MenuAction(QStringLiteral("Astronomischer Jahreskalender"));
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->isEnabled());
  QString caption;
  QString firstLine;
  int runs = 0;
  main.RunModal = [&](QDialog& w) {
    ++runs;
    caption = w.windowTitle();
    if (auto* k = dynamic_cast<Tukalender*>(&w)) {
      k->Button1Click();
      firstLine = k->List()->item(0)->text();
    }
    return int{QDialog::Rejected};
  };
  entry->trigger();  // returns when the calendar is closed
  EXPECT_EQ(runs, 1) << "the calendar runs as a modal window";
  EXPECT_EQ(caption, QStringLiteral("Astronomischer Jahreskalender"));
  EXPECT_EQ(firstLine, QStringLiteral("Berechnungsort: ") + QString::fromStdString(main.View().Place.Name));
  EXPECT_EQ(main.findChildren<Tukalender*>().size(), 0) << "the window is released when closed";
}

}  // namespace
}  // namespace zenitra
