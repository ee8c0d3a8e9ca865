// Finding objects and places by name: folding of names, the map turned to the object, the
// message with the rising time.
#include "sky/find_object.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "app/find_dialog.h"
#include "app/help_dialogs.h"
#include "app/tfhimmel.h"
#include "zenitra_version.h"

namespace zenitra {
namespace {

const Catalogue& RealCatalogue() {
  static const Catalogue catalogue = LoadCatalogue();
  return catalogue;
}

TEST(FindObject, NamesMatchWithoutCaseAndUmlauts) {
  const struct {
    const char* typed;
    const char* found;  // Display of the target
  } rows[] = {
      {"beteigeuze", "Beteigeuze (Ori Alpha)"}, {"BETEIGEUZE", "Beteigeuze (Ori Alpha)"},
      {"ori alpha", "Beteigeuze (Ori Alpha)"},  {"Großer Bär", "Großer Bär"},
      {"grosser bar", "Großer Bär"},            {"GROSSER BÄR", "Großer Bär"},
      {"ursa major", "Großer Bär"},             {"venus", "Venus"},
      {"sonne", "Sonne"},                       {"Mond", "Mond"},
      {"sirius", "Sirius (CMa Alpha)"},
  };
  const std::vector<FindTarget> targets = FindTargets(RealCatalogue());
  for (const auto& row : rows) {
    const std::optional<FindTarget> t = FindTargetNamed(targets, QString::fromUtf8(row.typed));
    ASSERT_TRUE(t.has_value()) << "input " << row.typed;
    EXPECT_EQ(t->Display, QString::fromUtf8(row.found)) << "input " << row.typed;
  }
  EXPECT_FALSE(FindTargetNamed(targets, QStringLiteral("Atlantis")).has_value());
  EXPECT_TRUE(CompletionsFor(targets, QStringLiteral("grosser")).contains(QStringLiteral("Großer Bär")));
  EXPECT_EQ(SearchKey(QStringLiteral("  Großer   Bär ")), QStringLiteral("grosser bar"));
}

// The Sun's rising from the find's search against astronomy-engine 2.1.19
// (tests/reference/sun_events.csv): Chemnitz, 21 March 2024, 05:08:18 UT (JD 2460390.714101).
TEST(FindObject, SunRisesAtTheReferenceTime) {
  const Location chemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  const ShownMoment night{2024, 3, 21, 3, 0, 0};
  const ProjectionFrame frame = MakeProjectionFrame(1054, 664, night, chemnitz, 0.0, false);
  const std::vector<FindTarget> targets = FindTargets(RealCatalogue());
  const auto sun = FindTargetNamed(targets, QStringLiteral("Sonne"));
  ASSERT_TRUE(sun.has_value());
  const std::optional<double> rising = NextRising(*sun, RealCatalogue(), chemnitz, frame.Moment, frame.Theta);
  ASSERT_TRUE(rising.has_value());
  EXPECT_NEAR(*rising, 2460390.714101, 60.0 / 86400.0) << "got JD " << *rising;
}

class FindInMainWindow : public ::testing::Test {
 protected:
  std::unique_ptr<Tfhimmel> Open(const QDateTime& now) {
    auto w = std::make_unique<Tfhimmel>(RealCatalogue(), dir_.path());
    w->ShowMessage = [this](const QString& m) { messages_ << m; };
    w->Now = [now] { return now; };
    w->show();
    w->FormActivate();
    return w;
  }
  QTemporaryDir dir_;
  QStringList messages_;
};

// A winter evening in Chemnitz, 15 January 2026, 21:00 local time: Sirius stands in the south-east.
// After the find it is drawn within 5 px of the middle of the map.
TEST_F(FindInMainWindow, SiriusOnAWinterEveningIsCentred) {
  const auto w = Open(QDateTime(QDate(2026, 1, 15), QTime(20, 0), Qt::UTC));
  ASSERT_EQ(w->View().Place.Name, "Chemnitz, D");
  EXPECT_EQ(FindInMap(*w, QStringLiteral("sirius")), QString());
  w->MenuAction(QStringLiteral("Sterninformationen anzeigen"))->trigger();
  QImage image(w->PB1->size(), QImage::Format_RGB32);
  w->malen(image);
  const QStringList& stars = w->Registers().StarPositionList.Lines();
  const auto sirius = std::find_if(stars.begin(), stars.end(),
                                   [](const QString& l) { return l.endsWith(QStringLiteral("\tCMa Alpha,Sirius")); });
  ASSERT_NE(sirius, stars.end()) << "Sirius is not drawn";
  const int x = sirius->section(u'\t', 0, 0).toInt();
  EXPECT_LE(std::abs(x - image.width() / 2), 5) << "x " << x << " width " << image.width() << " azimuth "
                                                  << w->rx2->value();
  EXPECT_LT(w->rx2->value(), 0) << "Sirius stands east of south at 21:00";
}

// At midnight in summer Sirius is below the horizon: the message names its rising; an unknown name
// is refused and leaves the direction.
TEST_F(FindInMainWindow, BelowTheHorizonTellsWhenItRises) {
  const auto w = Open(QDateTime(QDate(2026, 7, 1), QTime(22, 0), Qt::UTC));
  const QString message = FindInMap(*w, QStringLiteral("Sirius"));
  EXPECT_TRUE(message.contains(QStringLiteral("unter dem Horizont"))) << message.toStdString();
  // Sirius rises in the morning twilight of 2 July (about 7:40 summer time in Chemnitz).
  EXPECT_TRUE(message.contains(QStringLiteral("Aufgang am 02.07.2026 um 0"))) << message.toStdString();
  const int azimuth = w->rx2->value();
  EXPECT_TRUE(FindInMap(*w, QStringLiteral("Atlantis")).contains(QStringLiteral("Atlantis")));
  EXPECT_EQ(w->rx2->value(), azimuth);
  // Finding the Moon switches it on, so that the mark has something to show.
  ASSERT_FALSE(w->View().Switches.Moon);
  (void)FindInMap(*w, QStringLiteral("mond"));
  EXPECT_TRUE(w->View().Switches.Moon);
}

TEST_F(FindInMainWindow, FindsAPlaceOfTheList) {
  const auto w = Open(QDateTime(QDate(2026, 1, 15), QTime(20, 0), Qt::UTC));
  EXPECT_EQ(FindPlace(*w, QStringLiteral("new york, usa")), QString());
  EXPECT_EQ(w->View().Place.Name, "New York, USA");
  EXPECT_TRUE(FindPlace(*w, QStringLiteral("Atlantis")).contains(QStringLiteral("Atlantis")));
  EXPECT_FALSE(FindPlace(*w, QStringLiteral("New")).isEmpty()) << "more than one place begins with New";
  EXPECT_EQ(w->View().Place.Name, "New York, USA");
}

// The menus reach every new command, and the help lists their keys and names version, licence
// and data sources.
TEST_F(FindInMainWindow, HelpListsTheShortcutsAndTheSources) {
  const auto w = Open(QDateTime(QDate(2026, 1, 15), QTime(20, 0), Qt::UTC));
  const QString keys = ShortcutsText(*w);
  for (const QString& entry : {QKeySequence(QKeySequence::Find).toString(QKeySequence::NativeText) +
                                   QStringLiteral("</b></td><td>Suchen"),
                               QKeySequence(QKeySequence::Print).toString(QKeySequence::NativeText) +
                                   QStringLiteral("</b></td><td>Drucken"),
                               QStringLiteral("F2</b></td><td>Simulation")}) {
    EXPECT_TRUE(keys.contains(entry)) << "missing " << entry.toStdString() << " in " << keys.toStdString();
  }
  QStringList captions;
  for (const QAction* a : w->findChildren<QAction*>()) captions << a->text();
  for (const char* caption : {"Als PDF speichern…", "Bild speichern…", "Ort suchen", "Eigener Ort…", "Über Zenitra",
                              "Tastenkürzel"}) {
    EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
  }
  const QString about = AboutText();
  for (const char* word : {kZenitraVersion, "GPL-3.0-or-later", "d3-celestial", "BSD-3-Clause", "city-timezones",
                           "world-atlas", "VSOP87D", "stellarium-data"}) {
    EXPECT_TRUE(about.contains(QString::fromUtf8(word))) << word;
  }
}

}  // namespace
}  // namespace zenitra
