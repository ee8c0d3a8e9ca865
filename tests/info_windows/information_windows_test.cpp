// The Sun and Moon windows and their wiring into the main window: created hidden, opened from the
// menu and by a body, sharing one moment, and refreshed after every drawing while visible.
#include "info_windows/information_windows.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

#include "app/tfhimmel.h"
#include "info_windows/ephemeris_table.h"
#include "info_windows/info_text_format.h"
#include "info_windows/info_window_widgets.h"
#include "info_windows/moon_parameters_text.h"
#include "info_windows/sun_parameters_text.h"
#include "support/small_catalogue.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);

using zenitra::testing::SmallCatalogue;

class InformationWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    window_ = std::make_unique<Tfhimmel>(SmallCatalogue(), dir_.path());
    window_->ShowMessage = [](const QString&) {};
    window_->show();
    Information().Ephemeris().SetLocale(kGerman);
    Information().Moon().SetLocale(kGerman);
    Information().Sun().SetLocale(kGerman);
  }
  InformationWindows& Information() { return window_->Information(); }
  // The drawing the paint event makes, into an image of the drawing area's size.
  void Draw() {
    QImage image(window_->PB1->size(), QImage::Format_RGB32);
    window_->malen(image);
  }

  QTemporaryDir dir_;
  std::unique_ptr<Tfhimmel> window_;
};

TEST_F(InformationWindowsTest, CreatedHiddenWithTheirLayouts) {
  Tusonne& sun = Information().Sun();
  Tumond& moon = Information().Moon();
  EXPECT_FALSE(sun.isVisible());
  EXPECT_FALSE(moon.isVisible());
  EXPECT_FALSE(Information().Ephemeris().isVisible());
  EXPECT_EQ(sun.windowTitle(), QStringLiteral("Aktuelle Sonnenparameter"));
  EXPECT_EQ(sun.size(), QSize(431, 306));
  EXPECT_EQ(sun.Image1->geometry(), QRect(48, 12, 117, 117));
  EXPECT_EQ(sun.NameLabel->text(), QStringLiteral("Sonne"));
  EXPECT_EQ(sun.NameLabel->pos(), QPoint(218, 24));
  EXPECT_EQ(sun.NameLabel->font().pixelSize(), 16);
  EXPECT_TRUE(sun.NameLabel->font().bold());
  EXPECT_EQ(sun.Result->geometry(), QRect(216, 72, 209, 249));
  EXPECT_EQ(sun.Facts->geometry(), QRect(8, 136, 201, 177));
  EXPECT_EQ(sun.Result->font().pixelSize(), 11);
  EXPECT_EQ(TextBoxText(sun.Facts), SunFactLines().join(QStringLiteral("\r\n")));
  EXPECT_EQ(moon.windowTitle(), QStringLiteral("Aktuelle Mondparameter"));
  EXPECT_EQ(moon.size(), QSize(559, 376));
  EXPECT_EQ(moon.Image1->geometry(), QRect(56, 24, 117, 117));
  EXPECT_EQ(moon.NameLabel->pos(), QPoint(88, 152));
  EXPECT_EQ(moon.Result->geometry(), QRect(240, 16, 305, 345));
  EXPECT_EQ(moon.Facts->geometry(), QRect(12, 208, 209, 177));
  EXPECT_TRUE(TextBoxText(moon.Facts).contains(QStringLiteral("Bahnneigung 5°8'43\"")));
  // The pictures: the Sun bright and yellowish in the middle, the Moon grey.
  const QImage sunPicture = sun.Image1->pixmap().toImage();
  const QColor centre = sunPicture.pixelColor(58, 58);
  EXPECT_GT(centre.red(), 200);
  EXPECT_GT(centre.red(), centre.blue());
}

// A refresh replaces only the lines that changed; the box must then hold exactly the new text,
// whether a line grew, shrank, emptied or the number of lines changed.
TEST(TextBox, HoldsEachNewTextWhetherLinesChangeInPlaceOrInNumber) {
  QWidget parent;
  QPlainTextEdit* box = MakeTextBox(&parent, 0, 0, 200, 100);
  const QStringList texts = {
      QStringLiteral("Datum\t\t1.1.2024\r\nZeit\t\t12:00\r\n\r\nAzimut\t10°"),
      QStringLiteral("Datum\t\t1.1.2024\r\nZeit\t\t12:01:30\r\n\r\nAzimut\t9°"),
      QStringLiteral("Datum\t\t2.1.2024\r\n\r\nx\r\n"),
      QStringLiteral("Datum\t\t2.1.2024\r\n\r\nx\r\n"),
      QStringLiteral("a\r\nb"),
      QStringLiteral("Höhe\t\t-12,34°\r\nÖstliche Elongation\tÄquator gqjy"),
      QStringLiteral("Höhe\t\t-12,35°\r\nÖstliche Elongation\tÄquator gqjy"),
      QStringLiteral("")};
  // The box paints a changed line straight from its layout, and an unchanged one from a kept
  // picture: both at the first paint after every change and at the next, it must show exactly
  // what a plain box with the same text shows, to the pixel.
  QPlainTextEdit plain(&parent);
  SetUpTextBox(&plain, 0, 0, 200, 100);
  for (const QString& text : texts) {
    SetTextBoxText(box, text);
    EXPECT_EQ(TextBoxText(box), text);
    SetTextBoxText(&plain, text);
    const QImage expected = plain.grab().toImage();
    EXPECT_EQ(box->grab().toImage(), expected) << "text \"" << text.toStdString() << "\"";
    EXPECT_EQ(box->grab().toImage(), expected) << "painted again, text \"" << text.toStdString() << "\"";
  }
}

TEST_F(InformationWindowsTest, MenuShowsTheSunWindowWithTheShownMoment) {
  window_->MenuAction(QStringLiteral("Sonnenparameter"))->trigger();
  Tusonne& sun = Information().Sun();
  ASSERT_TRUE(sun.isVisible());
  EXPECT_FALSE(sun.isModal());
  const InfoWindowMoment m = window_->ShownInfoMoment();
  EXPECT_EQ(TextBoxText(sun.Result), SunParametersText(m, window_->View().Place, kGerman));
}

TEST_F(InformationWindowsTest, SunAndMoonShareOneMomentAndAVisibleWindowOnlyComesToTheFront) {
  const InfoWindowMoment first{2024, 3, 31, 12, 0, 0, 1.0, 0.0};
  const InfoWindowMoment second{2024, 4, 1, 8, 30, 0, 1.0, 0.0};
  Information().ShowMoon(first);
  EXPECT_EQ(Information().SunMoonMoment().Day, 31);
  Information().ShowMoon(second);  // visible: only brought to the front
  EXPECT_EQ(Information().SunMoonMoment().Day, 31);
  Information().ShowSun(second);
  EXPECT_EQ(Information().SunMoonMoment().Day, 1);
  // The Moon window reads the same moment at its next refresh.
  Information().Moon().Refresh();
  EXPECT_EQ(TextBoxText(Information().Moon().Result),
            MoonParametersText(second, window_->View().Place, kGerman));
}

TEST_F(InformationWindowsTest, MainWindowRefreshesAVisibleEphemerisWindowOnEveryTick) {
  window_->MenuAction(QStringLiteral("Ephemeridentabelle"))->trigger();
  Tephem& ephem = Information().Ephemeris();
  ASSERT_TRUE(ephem.isVisible());
  QApplication::processEvents();
  window_->CB1->setCurrentIndex(15);  // "24 Stunden"
  window_->StartStop();
  for (int tick = 0; tick < 3; ++tick) {
    window_->Timer1Timer();
    // The drawing (paint event) ends with step 20, which hands the table the new moment.
    QImage canvas(window_->PB1->size(), QImage::Format_RGB32);
    window_->malen(canvas);
    const InfoWindowMoment m = window_->ShownInfoMoment();
    EXPECT_EQ(ephem.Moment.Day, m.Day) << "tick " << tick;
    EXPECT_EQ(ephem.Moment.Month, m.Month) << "tick " << tick;
    const EphemerisTable t = BuildEphemerisTable(m, window_->View().Place, QLocale(QLocale::German));
    EXPECT_EQ(ephem.Cell(4, 6), t.Cells[6][4]) << "tick " << tick;  // Jupiter's geocentric longitude
  }
  window_->StartStop();
}

TEST_F(InformationWindowsTest, PaintingTheMapRefreshesTheVisibleWindows) {
  window_->MenuAction(QStringLiteral("Mondparameter"))->trigger();
  ASSERT_TRUE(Information().Moon().isVisible());
  window_->DE1->setDate(QDate(2024, 3, 31));
  QApplication::processEvents();  // the paint event draws the map
  EXPECT_EQ(Information().SunMoonMoment().Day, 31);
  EXPECT_EQ(Information().SunMoonMoment().Month, 3);
  EXPECT_TRUE(TextBoxText(Information().Moon().Result).startsWith(QStringLiteral("Datum\t\t31.03.2024")));
}

TEST_F(InformationWindowsTest, BodyNamesOpenTheirWindows) {
  window_->OpenBodyWindow(QStringLiteral("Sonne"));
  EXPECT_TRUE(Information().Sun().isVisible());
  EXPECT_FALSE(Information().Moon().isVisible());
  window_->OpenBodyWindow(QStringLiteral("Mond"));
  EXPECT_TRUE(Information().Moon().isVisible());
  QString opened;
  window_->RunModal = [&](QDialog& w) {
    if (auto* planet = dynamic_cast<Tuplanet*>(&w)) opened = planet->NameLabel->text();
    return int{QDialog::Rejected};
  };
  window_->OpenBodyWindow(QStringLiteral("Jupiter"));
  EXPECT_EQ(opened, QStringLiteral("Jupiter")) << "the planet's window runs modally through the main window's seam";
}

TEST_F(InformationWindowsTest, ClickingTheDrawnSunOpensTheSunWindow) {
  // Noon on 21 June: the Sun stands high in the south, on the map.
  window_->DE1->setDate(QDate(2024, 6, 21));
  window_->cb2->setCurrentIndex(13 * 12);
  Draw();
  QPoint sun(-1, -1);
  for (const QString& line : window_->Registers().BodyPositionList.Lines()) {
    const QStringList f = line.split(u'\t');
    if (f.size() == 3 && f[2] == QStringLiteral("Sonne")) sun = QPoint(f[0].toInt(), f[1].toInt());
  }
  ASSERT_NE(sun, QPoint(-1, -1)) << "the Sun was not drawn";
  ASSERT_FALSE(Information().Sun().isVisible());
  // A click 4 pixels off still hits (the window is the same the menu opens).
  window_->PB1MouseDown(sun.x() + 4, sun.y() - 4);
  window_->PB1MouseUp();
  EXPECT_TRUE(Information().Sun().isVisible());
  EXPECT_EQ(Information().SunMoonMoment().Month, 6);
  EXPECT_TRUE(TextBoxText(Information().Sun().Result).startsWith(QStringLiteral("Datum\t\t21.6.2024")));
  EXPECT_FALSE(Information().Moon().isVisible());
}

// Every line of every text box stays whole inside its box: no line wraps, the last line ends
// above the box's bottom (the boxes have no scroll bars), and every table cell's text fits its
// column with the columns inside the grid. Measured with the installed fonts (DejaVu standing in
// for Verdana); the test runs a second time at QT_SCALE_FACTOR=2 (tests/CMakeLists.txt).
void ExpectTextBoxesFit(const QWidget& window, const char* name) {
  for (const QPlainTextEdit* box : window.findChildren<QPlainTextEdit*>()) {
    const QTextDocument* doc = box->document();
    const double inside = box->viewport()->height();
    double bottom = doc->documentMargin();  // QPlainTextEdit stacks its blocks below the margin
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      const QTextLayout* layout = b.layout();
      EXPECT_LE(layout->lineCount(), 1) << name << ": line wraps: \"" << b.text().toStdString() << "\"";
      bottom += doc->documentLayout()->blockBoundingRect(b).height();
    }
    EXPECT_LE(bottom, inside) << name << ": text " << bottom << " px high in a box of " << inside << " px, last \""
                              << doc->lastBlock().text().toStdString() << "\"";
  }
}

TEST_F(InformationWindowsTest, WindowsFollowTheAnimationWhileTheMainWindowIsMinimised) {
  window_->MenuAction(QStringLiteral("Mondparameter"))->trigger();
  ASSERT_TRUE(Information().Moon().isVisible());
  window_->showMinimized();
  QApplication::processEvents();
  ASSERT_TRUE(window_->isMinimized());
  window_->CB1->setCurrentIndex(15);  // "24 Stunden"
  window_->StartStop();
  for (int tick = 0; tick < 3; ++tick) {
    window_->Timer1Timer();
    EXPECT_EQ(Information().SunMoonMoment().Day, window_->ShownInfoMoment().Day) << "tick " << tick;
    EXPECT_EQ(Information().SunMoonMoment().Month, window_->ShownInfoMoment().Month) << "tick " << tick;
  }
  window_->StartStop();
}

TEST_F(InformationWindowsTest, EscapeClosesTheSunMoonAndEphemerisWindows) {
  for (const char* caption : {"Mondparameter", "Sonnenparameter", "Ephemeridentabelle"}) {
    window_->MenuAction(QString::fromLatin1(caption))->trigger();
    QWidget* shown = QApplication::activeWindow();
    QApplication::processEvents();
    shown = QApplication::activeWindow();
    ASSERT_TRUE(shown && shown != window_.get()) << caption;
    QTest::keyClick(shown, Qt::Key_Escape);
    EXPECT_FALSE(shown->isVisible()) << caption;
  }
}

TEST_F(InformationWindowsTest, EveryTextFitsItsBox) {
  const InfoWindowMoment first{2026, 1, 20, 23, 30, 0, 1.0, 0.0};
  Information().ShowMoon(first);
  Information().ShowSun(first);
  QApplication::processEvents();
  // Every month name in the dates of the phases and apsides ("September" the widest).
  for (int month = 1; month <= 12; ++month) {
    const InfoWindowMoment m{2026, month, 20, 23, 30, 0, 1.0, 0.0};
    const std::string name = "Mondparameter " + std::to_string(month) + "/2026";
    SetTextBoxText(Information().Moon().Result, MoonParametersText(m, window_->View().Place, kGerman));
    ExpectTextBoxesFit(Information().Moon(), name.c_str());
    SetTextBoxText(Information().Sun().Result, SunParametersText(m, window_->View().Place, kGerman));
    ExpectTextBoxesFit(Information().Sun(), "Sonnenparameter");
  }

  window_->MenuAction(QStringLiteral("Ephemeridentabelle"))->trigger();
  Tephem& ephem = Information().Ephemeris();
  QApplication::processEvents();
  const QTableWidget* grid = ephem.Grid;
  int columns = 0;
  for (int c = 0; c < grid->columnCount(); ++c) columns += grid->columnWidth(c);
  EXPECT_LE(columns, grid->viewport()->width()) << "columns " << columns << " px in a grid of "
                                                << grid->viewport()->width() << " px";
  const QFontMetricsF metrics(grid->font());
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      const QString text = ephem.Cell(c, r);
      // A cell draws its text inside a margin of the style's focus frame (3 px each side).
      EXPECT_LE(metrics.horizontalAdvance(text) + 6.0, grid->columnWidth(c))
          << "cell (" << c << ", " << r << ") \"" << text.toStdString() << "\" in " << grid->columnWidth(c) << " px";
    }
  }
}

}  // namespace
}  // namespace zenitra
