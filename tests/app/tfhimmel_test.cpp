// The main window: first activation with and without a settings file, switch and cycling
// commands, closing (the settings written), real-time mode and dragging.
#include "app/tfhimmel.h"
#include "sky/sky_renderer.h"
#include "support/small_catalogue.h"

#include <gtest/gtest.h>

#include "support/pixel_difference.h"

#include <QDateEdit>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTemporaryDir>

namespace zenitra {
namespace {

using zenitra::testing::SmallCatalogue;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The computer's clock in these tests: 1 July 2024, 22:30:15 UT; in Chemnitz 23:30:15 standard
// time and 2 July 00:30:15 summer time.
const QDateTime kComputerClock(QDate(2024, 7, 1), QTime(22, 30, 15), Qt::UTC);

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  std::unique_ptr<Tfhimmel> Open(const QByteArray* settings = nullptr) {
    if (settings) WriteFile(SettingsFilePath(dir_.path()), *settings);
    auto w = std::make_unique<Tfhimmel>(SmallCatalogue(), dir_.path());
    w->ShowMessage = [this](const QString& m) { messages_ << m; };
    w->Now = [] { return kComputerClock; };
    w->show();
    return w;
  }
  QTemporaryDir dir_;
  QStringList messages_;
};

TEST_F(MainWindow, FirstStartWithoutSettingsFile) {
  const auto w = Open();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Aktueller Zenitra"));
  EXPECT_EQ(w->ComboBox1->currentIndex(), 571);
  EXPECT_EQ(w->View().Place.Name, "Chemnitz, D");
  EXPECT_NEAR(w->View().Place.LatitudeDeg, 50.836667, 1e-9);
  EXPECT_NEAR(w->View().Place.LongitudeDeg, 12.854444, 1e-9);
  EXPECT_DOUBLE_EQ(w->View().Place.ZoneHours, 1.0);
  EXPECT_EQ(w->View().Switches, DisplaySwitches{});
  EXPECT_EQ(w->RxSpinEdit1->value(), 80);
  EXPECT_EQ(w->rx2->value(), 0);
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Süden im Zentrum"))->isChecked());
  EXPECT_FALSE(w->MenuAction(QStringLiteral("Osten im Zentrum"))->isChecked());
  EXPECT_EQ(w->CB1->currentText(), QStringLiteral("1 Minute"));
  EXPECT_EQ(w->cb2->count(), 288);
  EXPECT_EQ(w->cb2->itemText(265), QStringLiteral("22:05"));
  // Now at the place, the summer-time switch off: Chemnitz's standard time.
  EXPECT_EQ(w->View().Moment, (ShownMoment{2024, 7, 1, 23, 30, 15}));
  EXPECT_EQ(w->DE1->date(), QDate(2024, 7, 1));
  EXPECT_EQ(w->cb2->currentText(), QStringLiteral("23:30"));
  EXPECT_TRUE(messages_.isEmpty()) << "no message while the time-zone database is there";
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Mondparameter"))->isEnabled());
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Tag- und Nachtgrenze"))->isEnabled());
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Planetenbahnen"))->isEnabled());
}

TEST_F(MainWindow, EmptySettingsFileGivesSpeedTwoTopLeftAndChemnitz) {
  const QByteArray empty;
  const auto w = Open(&empty);
  EXPECT_EQ(w->RxSpinEdit1->value(), 2);
  EXPECT_EQ(w->StepIntervalMs(), 98);
  EXPECT_EQ(w->x(), 0);
  EXPECT_EQ(w->y(), 0);
  EXPECT_EQ(w->ComboBox1->currentIndex(), 571);
}

TEST_F(MainWindow, StoredSpeed100IsIgnoredAnd99Accepted) {
  const QByteArray hundred("[Zenitra]\r\nSimulation=100\r\n");
  EXPECT_EQ(Open(&hundred)->RxSpinEdit1->value(), 80);
  const QByteArray ninetyNine("[Zenitra]\r\nSimulation=99\r\n");
  const auto w = Open(&ninetyNine);
  EXPECT_EQ(w->RxSpinEdit1->value(), 99);
  EXPECT_EQ(w->StepIntervalMs(), 1);
  EXPECT_GT(w->Timer1->interval(), 1) << "at top speed the timer wakes once per display frame, not every step";
  w->Faster();  // at 99 "Simulation schneller" does nothing
  EXPECT_EQ(w->RxSpinEdit1->value(), 99);
  w->Slower();
  EXPECT_EQ(w->RxSpinEdit1->value(), 98);
  EXPECT_EQ(w->StepIntervalMs(), 3);
}

TEST_F(MainWindow, StarNamesModeSevenIsCheckedDrawsNothingAndCyclesToZero) {
  const QByteArray seven("[Zenitra]\r\nSterne=7\r\nLinien=1\r\nAzimut=90\r\n");
  const auto w = Open(&seven);
  EXPECT_EQ(w->View().Switches.StarNames, 7);
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Sternnamen"))->isChecked());
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Sternbildlinien"))->isChecked());
  EXPECT_EQ(w->rx2->value(), 90);
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Süden im Zentrum"))->isChecked()) << "checked whatever was read";
  w->CycleStarNames();
  EXPECT_EQ(w->View().Switches.StarNames, 0);
  EXPECT_FALSE(w->MenuAction(QStringLiteral("Sternnamen"))->isChecked());
  // The constellation names cycle 1, 2, 3, 0.
  for (int expected : {1, 2, 3, 0}) {
    w->S25->click();
    EXPECT_EQ(w->View().Switches.ConstellationNames, expected);
    EXPECT_EQ(w->MenuAction(QStringLiteral("Sternbildnamen"))->isChecked(), expected != 0);
  }
}

TEST_F(MainWindow, DateFieldTakesAThreeDigitYear) {
  const auto w = Open();
  w->DE1->setFocus();
  QTest::keyClick(w->DE1, Qt::Key_Home);
  QTest::keyClicks(w->DE1, QStringLiteral("5.3.300"));
  QTest::keyClick(w->DE1, Qt::Key_Return);
  EXPECT_EQ(w->DE1->date(), QDate(300, 3, 5));
  EXPECT_EQ(w->View().Moment.Year, 300);
}

TEST_F(MainWindow, UnknownPlaceFallsBackToTheHomePlaceWithAMessage) {
  const QByteArray atlantis("[Zenitra]\r\nOrt=Atlantis, XX\r\n");
  const auto w = Open(&atlantis);
  EXPECT_EQ(w->ComboBox1->currentIndex(), 571);
  EXPECT_EQ(w->View().Place.Name, "Chemnitz, D");
  EXPECT_DOUBLE_EQ(w->View().Place.ZoneHours, 1.0);
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains(QStringLiteral("Atlantis, XX"))) << messages_[0].toStdString();
  const QByteArray lower("[Zenitra]\r\nOrt=chemnitz, d\r\n");
  EXPECT_EQ(Open(&lower)->ComboBox1->currentIndex(), 571);
}

// A position stored while a second monitor was attached lies off every screen now.
TEST_F(MainWindow, StoredPositionOffEveryScreenMovesOntoThePrimaryScreen) {
  const QByteArray far("[Zenitra]\r\nLinks=5000\r\nOben=3000\r\n");
  const auto w = Open(&far);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.intersects(QRect(w->frameGeometry().topLeft(), QSize(w->width(), 30))))
      << "title bar at " << w->x() << "," << w->y();
  const QByteArray near("[Zenitra]\r\nLinks=20\r\nOben=30\r\n");
  EXPECT_EQ(Open(&near)->pos(), QPoint(20, 30));
}

TEST_F(MainWindow, KeyboardMnemonicsShortcutsAndSteps) {
  const auto w = Open();
  for (QAction* top : w->menuBar()->actions()) {
    EXPECT_TRUE(top->text().contains(u'&')) << "no Alt mnemonic: " << top->text().toStdString();
  }
  QStringList keys;
  for (const char16_t* caption : {u"Mondparameter", u"Sonnenparameter", u"Ephemeridentabelle", u"Mondphasenkalender",
                                  u"Planetenbahnen", u"Astronomischer Jahreskalender", u"Tag- und Nachtgrenze"}) {
    const QKeySequence key = w->MenuAction(QString::fromUtf16(caption))->shortcut();
    EXPECT_FALSE(key.isEmpty()) << QString::fromUtf16(caption).toStdString();
    keys << key.toString();
  }
  keys.removeDuplicates();
  EXPECT_EQ(keys.size(), 7) << keys.join(' ').toStdString();
  // Alt+Right and Alt+Left step by the chosen step.
  w->CB1->setCurrentIndex(w->CB1->findText(QStringLiteral("1 Stunde")));
  ASSERT_GE(w->CB1->currentIndex(), 0);
  w->activateWindow();
  QApplication::processEvents();
  const ShownMoment before = w->View().Moment;
  QTest::keyClick(w->PB1, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(w->View().Moment.Hour, (before.Hour + 1) % 24);
  QTest::keyClick(w->PB1, Qt::Key_Left, Qt::AltModifier);
  QTest::keyClick(w->PB1, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(w->View().Moment.Hour, (before.Hour + 23) % 24);
}

TEST_F(MainWindow, DrawingAreaHasTheDesignedSize) {
  const auto w = Open();
  QApplication::processEvents();
  EXPECT_EQ(w->PB1->size(), QSize(1054, 664));
}

// The place box is as wide as Qt's own box sized to its contents (which measures every name) with
// the full place list, so the widest name is never cut; and no more than a few pixels wider.
TEST(MainWindowPlaceBox, FitsTheWidestPlaceName) {
  QTemporaryDir dir;
  const Catalogue catalogue = LoadCatalogue();
  Tfhimmel w(catalogue, dir.path());
  w.show();
  QApplication::processEvents();
  QComboBox reference;
  reference.setFont(w.ComboBox1->font());
  reference.setSizeAdjustPolicy(QComboBox::AdjustToContents);
  reference.addItems(catalogue.PlaceNames);
  const int needed = reference.sizeHint().width();
  EXPECT_GE(w.ComboBox1->width(), needed) << catalogue.PlaceNames.size() << " names";
  EXPECT_LE(w.ComboBox1->width(), needed + 8) << catalogue.PlaceNames.size() << " names";
  // A longer place added later widens the box.
  const QString longName = QStringLiteral("Ein sehr, sehr langer Ortsname für die Ortsliste, D");
  ASSERT_GE(w.AddPlace(longName + QStringLiteral("\t50\t12\t1")), 0);
  QApplication::processEvents();
  reference.addItem(longName);
  EXPECT_GE(w.ComboBox1->width(), reference.sizeHint().width());
}

// During the animation the date and time fields show the moment the map shows; the reverse button
// stays down while time runs backwards.
TEST_F(MainWindow, FieldsFollowTheAnimationAndReverseStaysDown) {
  const auto w = Open();
  w->CB1->setCurrentIndex(15);  // "24 Stunden"
  w->StartStop();
  w->Timer1Timer();
  EXPECT_EQ(w->DE1->date(), QDate(w->View().Moment.Year, w->View().Moment.Month, w->View().Moment.Day));
  EXPECT_EQ(w->DE1->date(), QDate(2024, 7, 2));
  w->CB1->setCurrentIndex(11);
  for (int i = 0; i < 3; ++i) w->Timer1Timer();
  const ShownMoment m = w->View().Moment;
  EXPECT_NE(m.Hour, 23) << "the time moved on";
  EXPECT_EQ(w->cb2->currentIndex(), (m.Hour * 60 + m.Minute) / 5) << m.Hour << ":" << m.Minute;
  EXPECT_FALSE(w->S29->isChecked());
  w->Reverse();
  EXPECT_TRUE(w->S29->isChecked());
  EXPECT_TRUE(StatusLineText(w->View()).endsWith(QStringLiteral("Zeitlauf rückwärts")));
  w->Reverse();
  EXPECT_FALSE(w->S29->isChecked());
  w->StartStop();
}

TEST_F(MainWindow, SwitchCommandsToggleFlagAndCheckMark) {
  const auto w = Open();
  w->MenuAction(QStringLiteral("Himmelsäquator"))->trigger();
  EXPECT_TRUE(w->View().Switches.Equator);
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Himmelsäquator"))->isChecked());
  w->S5->click();
  EXPECT_TRUE(w->View().Switches.ConstellationLines);
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Sternbildlinien"))->isChecked());
  w->MenuAction(QStringLiteral("Himmelsäquator"))->trigger();
  EXPECT_FALSE(w->View().Switches.Equator);
  EXPECT_FALSE(w->MenuAction(QStringLiteral("Himmelsäquator"))->isChecked());
  w->MenuAction(QStringLiteral("Norden im Zentrum"))->trigger();
  EXPECT_EQ(w->rx2->value(), 180);
  EXPECT_EQ(w->View().CentreAzimuth, 180);
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Norden im Zentrum"))->isChecked());
  EXPECT_FALSE(w->MenuAction(QStringLiteral("Süden im Zentrum"))->isChecked());
}

// The menus as designed ("-" a separator); the switch items come from one table with the
// settings keys, so a row out of place or a separator lost shows here.
TEST_F(MainWindow, MenusHoldTheSwitchesInTheDesignedOrder) {
  const auto w = Open();
  const auto texts = [&](const QString& title) {
    QStringList list;
    for (QAction* item : w->menuBar()->actions()) {
      if (item->text() != title || !item->menu()) continue;
      for (QAction* a : item->menu()->actions()) list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return list.join(u'|');
  };
  EXPECT_EQ(texts(QStringLiteral("&Darstellung")),
            QStringLiteral("Ekliptik|Himmelsäquator|Koordinatennetz|Meridian|Höhenlinien|-|Mond|"
                           "Sommerzeit berücksichtigen|Abbildung des Horizonts|-|Sternnamen|Sternbildnamen|"
                           "Sternbildlinien|Sternbildgrenzen|weiße Sterne|Sterninformationen anzeigen|"
                           "Tierkreiszeichen|-|Osten im Zentrum|Süden im Zentrum|Westen im Zentrum|Norden im Zentrum"));
  EXPECT_TRUE(texts(QStringLiteral("&Zusatzinformationen"))
                  .startsWith(QStringLiteral("Mondparameter|Sonnenparameter|Ephemeridentabelle|"
                                             "Galileische Jupitermonde|Venusphase|-|")))
      << texts(QStringLiteral("&Zusatzinformationen")).toStdString();
}

TEST_F(MainWindow, ClosingWritesAllTwentyTwoKeysInOrder) {
  auto w = Open();
  w->MenuAction(QStringLiteral("Ekliptik"))->trigger();
  w->close();
  QFile f(SettingsFilePath(dir_.path()));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = f.readAll().split('\n');
  ASSERT_GE(lines.size(), 23);
  EXPECT_EQ(lines[0], QByteArray("[Zenitra]\r"));
  EXPECT_EQ(lines[1], QByteArray("Ort=Chemnitz, D\r"));
  EXPECT_EQ(lines[2], QByteArray("Simulation=80\r"));
  EXPECT_EQ(lines[6], QByteArray("Ekliptik=1\r"));
  EXPECT_EQ(lines[7], QByteArray("\xC4quator=0\r"));
  const QStringList keys = SettingsKeys();
  for (int i = 0; i < 22; ++i) {
    EXPECT_TRUE(lines[i + 1].startsWith(EncodeWindows1252(keys[i]) + '=')) << "line " << i + 1;
  }
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(MainWindow, UnwritableSettingsFolderGivesAMessageAndStillCloses) {
  // A file stands where the folder would have to be created.
  WriteFile(dir_.path() + QStringLiteral("/blocked"), "x");
  auto w = std::make_unique<Tfhimmel>(SmallCatalogue(), dir_.path() + QStringLiteral("/blocked/sub"));
  w->ShowMessage = [this](const QString& m) { messages_ << m; };
  w->show();
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(w->isVisible());
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains(QStringLiteral("Einstellungen"))) << messages_[0].toStdString();
}

TEST_F(MainWindow, StartStopLeavesRealTimeModeAndDrivesTheTimers) {
  const auto w = Open();
  w->S34->click();
  EXPECT_TRUE(w->S34->isChecked());
  EXPECT_TRUE(w->Timer2->isActive());
  EXPECT_FALSE(w->Timer1->isActive());
  w->S20->click();
  EXPECT_FALSE(w->S34->isChecked());
  EXPECT_FALSE(w->Timer2->isActive());
  EXPECT_TRUE(w->Timer1->isActive());
  EXPECT_TRUE(w->MenuAction(QStringLiteral("Simulation"))->isChecked());
  // One tick at "24 Stunden" moves the date by one day and keeps the clock time.
  w->CB1->setCurrentIndex(15);
  const ShownMoment before = w->View().Moment;
  w->Timer1Timer();
  EXPECT_EQ(w->View().Moment.Hour, before.Hour);
  EXPECT_EQ(w->View().Moment.Minute, before.Minute);
  EXPECT_NE(w->View().Moment.Day, before.Day);
  w->MenuAction(QStringLiteral("Simulation"))->trigger();
  EXPECT_FALSE(w->Timer1->isActive());
  EXPECT_FALSE(w->Animation().Running);
  // A time-of-day entry sets hour and minute and keeps the second.
  w->cb2->setCurrentIndex(265);
  EXPECT_EQ(w->View().Moment.Hour, 22);
  EXPECT_EQ(w->View().Moment.Minute, 5);
}

TEST_F(MainWindow, RealTimeShowsThePlacesClockFromTheComputersClock) {
  const auto w = Open();
  w->MenuAction(QStringLiteral("Sommerzeit berücksichtigen"))->trigger();
  w->Timer2Timer();
  EXPECT_EQ(w->View().Moment, (ShownMoment{2024, 7, 2, 0, 30, 15})) << "Chemnitz, summer time";
  w->MenuAction(QStringLiteral("Sommerzeit berücksichtigen"))->trigger();
  w->Timer2Timer();
  EXPECT_EQ(w->View().Moment, (ShownMoment{2024, 7, 1, 23, 30, 15})) << "Chemnitz, standard time";
  // Any other place of the list: its own zone (the test list's places are UT + 2 h, no zone name).
  w->ComboBox1->setCurrentIndex(3);
  w->Timer2Timer();
  EXPECT_EQ(w->View().Moment, (ShownMoment{2024, 7, 2, 0, 30, 15}));
}

TEST_F(MainWindow, DraggingHalfTheWidthTurnsTheViewToTheWest) {
  const auto w = Open();
  const int width = w->PB1->width();
  ASSERT_GT(width, 100);
  w->PB1MouseDown(width - 10, -100);  // no body or star is ever registered above the top edge
  w->PB1MouseMove(width - 10 - width / 2);
  EXPECT_NEAR(w->rx2->value(), 90, 1);  // 180 / W * (W / 2), whole degrees
  w->PB1MouseMove(-10);  // the whole width: 180 degrees
  EXPECT_EQ(w->rx2->value(), 180);
  w->PB1MouseMove(-10 - width / 4);  // 225 degrees wraps to -135
  EXPECT_NEAR(w->rx2->value(), -135, 1);
  w->PB1MouseUp();
  const int after = w->rx2->value();
  w->PB1MouseMove(0);
  EXPECT_EQ(w->rx2->value(), after) << "no drag after the button is released";
}

TEST_F(MainWindow, PaintsTheMapIntoTheDrawingArea) {
  const auto w = Open();
  const QImage shot = w->PB1->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  // Ground band at the bottom, black sky above.
  EXPECT_EQ(QColor(shot.pixel(3, shot.height() - 5)), QColor(240, 240, 240));
  EXPECT_EQ(QColor(shot.pixel(3, 3)), QColor(Qt::black));
}

TEST_F(MainWindow, TheMapOnScreenEqualsTheMapDrawnOffScreen) {
  // On screen the map is drawn straight into the window's backing store; grab() draws it into a
  // picture of its own. Both must give the same pixels, every layer on.
  SettingsValues settings;
  settings.Place = QStringLiteral("Chemnitz, D");
  DisplaySwitches& s = settings.Switches;
  s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.Zodiac = true;
  s.ConstellationLines = s.Boundaries = s.Jupiter = s.Venus = s.Horizon = true;
  s.StarNames = 3;
  ASSERT_EQ(WriteSettingsFile(SettingsFilePath(dir_.path()), settings), std::nullopt);
  const auto w = Open();
  ASSERT_TRUE(w->View().Switches.Horizon);
  w->Repaint();
  QCoreApplication::processEvents();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  w->Repaint();
  QCoreApplication::processEvents();
  const QRect area(w->PB1->mapTo(w.get(), QPoint(0, 0)), w->PB1->size());
  const QImage screen = w->screen()->grabWindow(w->winId()).toImage().copy(area).convertToFormat(QImage::Format_RGB32);
  const QImage drawn = w->PB1->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(screen.size(), drawn.size());
  EXPECT_EQ(testing::DifferingPixels(screen, drawn).Count, 0) << "of " << drawn.width() << " x " << drawn.height()
                                                              << " pixels";
}

}  // namespace
}  // namespace zenitra
