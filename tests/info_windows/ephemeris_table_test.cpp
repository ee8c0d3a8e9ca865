// The ephemeris table: titles, the Earth kept out of the table, visibility against rise time,
// and the window writing only cells whose text changed.
#include "info_windows/ephemeris_table.h"

#include <gtest/gtest.h>

#include "support/pixel_difference.h"

#include "support/qstring_printer.h"

#include <QRegularExpression>
#include <QStyledItemDelegate>

#include "planets/planet_position.h"
#include "info_windows/planet_information_text.h"
#include "info_windows/tephem.h"
#include "info_windows/text_cell_delegate.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};

InfoWindowMoment At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0) {
  return InfoWindowMoment{y, mo, d, h, mi, s, 1.0, 0.0};
}

TEST(EphemerisTable, TitlesInRowZeroAndColumnZero) {
  const EphemerisTable t = BuildEphemerisTable(At(2024, 3, 31), kChemnitz, kGerman);
  EXPECT_TRUE(t.Cells[0][0].isEmpty());
  const char* const planets[] = {"Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};
  for (int c = 1; c < 8; ++c) EXPECT_EQ(t.Cells[0][c], QString::fromLatin1(planets[c - 1]));
  EXPECT_EQ(t.Cells[1][0], QStringLiteral("helioz.Länge"));
  EXPECT_EQ(t.Cells[4][0], QStringLiteral("Entfernung a"));
  EXPECT_EQ(t.Cells[11][0], QStringLiteral("vis.Helligkeit"));
  EXPECT_EQ(t.Cells[17][0], QStringLiteral("Sichtbarkeit"));
}

TEST(EphemerisTable, TheEarthOnlyFeedsTheInvisibleLabel) {
  const InfoWindowMoment m = At(2024, 3, 31);
  const EphemerisTable t = BuildEphemerisTable(m, kChemnitz, kGerman);
  const double jd = m.UniversalJulianDay();
  const PlanetPlace earth = ComputePlanet("Erde", jd, kChemnitz.LatitudeDeg, kChemnitz.LongitudeDeg, 1.0);
  const PlanetPlace mercury = ComputePlanet("Merkur", jd, kChemnitz.LatitudeDeg, kChemnitz.LongitudeDeg, 1.0);
  EXPECT_EQ(t.EarthLabel, DegreesText(kGerman, earth.Ephemeris.HeliocentricLongitude));
  EXPECT_EQ(t.Cells[1][1], DegreesText(kGerman, mercury.Ephemeris.HeliocentricLongitude));
  EXPECT_EQ(t.Cells[2][1], DegreesText(kGerman, mercury.Ephemeris.HeliocentricLatitude));
  for (const auto& row : t.Cells) {
    for (const QString& cell : row) EXPECT_NE(cell, QStringLiteral("Erde"));
  }
  EXPECT_FALSE(EphemerisTableText(t).contains(t.EarthLabel + u'\t')) << "the Earth's longitude leaked into the table";
}

TEST(EphemerisTable, CellFormats) {
  const EphemerisTable t = BuildEphemerisTable(At(2024, 3, 31), kChemnitz, kGerman);
  const std::pair<int, const char*> formats[] = {
      {1, "^\\d+,\\d\\d°$"},        {2, "^-?\\d+,\\d\\d°$"},       {3, "^\\d+,\\d\\d AE$"},
      {4, "^\\d+,\\d\\d AE$"},      {5, "^\\d+ min \\d+ s$"},      {6, "^\\d+,\\d\\d°$"},
      {7, "^-?\\d+,\\d\\d°$"},      {8, "^\\d+h \\d+,\\d$"},       {9, "^-?\\d+° \\d+,\\d'$"},
      {10, "^\\d+,\\d\\d\"$"},      {11, "^-?\\d+,\\d\\dm$"},      {12, "^(\\d+h\\d+m|sichtbar|unsichtbar)$"},
      {13, "^(\\d+h\\d+m|sichtbar|unsichtbar)$"}, {15, "^-?\\d+°\\d+'$"}, {16, "^-?\\d+°\\d+'$"},
      {17, "^(sichtbar|unsichtbar)$"}};
  for (const auto& [row, pattern] : formats) {
    for (int c = 1; c < 8; ++c) {
      EXPECT_TRUE(t.Cells[row][c].contains(QRegularExpression(QString::fromUtf8(pattern))))
          << "row " << row << " column " << c << ": " << t.Cells[row][c].toStdString();
    }
  }
  for (int c = 1; c < 8; ++c) EXPECT_FALSE(t.Cells[14][c].isEmpty()) << "column " << c;
}

TEST(EphemerisTable, BelowTheHorizonIsUnsichtbarEvenWithARiseTime) {
  // Every hour of a day: whenever a planet is below the horizon its row 17 says "unsichtbar",
  // and at some hour this happens while row 12 holds a time of day.
  bool seen = false;
  for (int h = 0; h < 24; ++h) {
    const EphemerisTable t = BuildEphemerisTable(At(2024, 3, 31, h), kChemnitz, kGerman);
    for (int c = 1; c < 8; ++c) {
      const bool below = t.Cells[16][c].startsWith(u'-');
      EXPECT_EQ(t.Cells[17][c], below ? QStringLiteral("unsichtbar") : QStringLiteral("sichtbar"))
          << "hour " << h << " column " << c << " altitude " << t.Cells[16][c].toStdString();
      if (below && t.Cells[12][c].contains(QRegularExpression(QStringLiteral("^\\d+h\\d+m$")))) seen = true;
    }
  }
  EXPECT_TRUE(seen);
}

TEST(EphemerisTable, TextHasEighteenTabSeparatedRows) {
  const QString text = EphemerisTableText(BuildEphemerisTable(At(2024, 3, 31), kChemnitz, kGerman));
  const QStringList rows = text.split(u'\n');
  ASSERT_EQ(rows.size(), 19);  // the last line feed ends the last row
  EXPECT_TRUE(rows.last().isEmpty());
  for (int r = 0; r < 18; ++r) EXPECT_EQ(rows[r].count(u'\t'), 7) << "row " << r;
  EXPECT_TRUE(rows[0].startsWith(QStringLiteral("\tMerkur\tVenus")));
}

class EphemerisWindow : public ::testing::Test {
 protected:
  Location place_ = kChemnitz;
  Tephem window_{[this] { return place_; }};
  void SetUp() override { window_.SetLocale(kGerman); }
};

TEST_F(EphemerisWindow, LayoutAndCaption) {
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Ephemeride der Planeten"));
  EXPECT_EQ(window_.size(), QSize(881, 417));
  EXPECT_EQ(window_.Grid->geometry(), QRect(16, 16, 848, 381));
  EXPECT_EQ(window_.Grid->rowCount(), 18);
  EXPECT_EQ(window_.Grid->columnCount(), 8);
  EXPECT_EQ(window_.Grid->columnWidth(3), 106);
  EXPECT_EQ(window_.Grid->rowHeight(5), 20);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_FALSE(window_.EarthLabel->isVisible());
}

TEST_F(EphemerisWindow, ShowsTheTableOfItsMoment) {
  window_.Moment = At(2024, 3, 31);
  window_.RefreshEphemeris();
  const EphemerisTable t = BuildEphemerisTable(window_.Moment, place_, kGerman);
  for (int r = 0; r < 18; ++r) {
    for (int c = 0; c < 8; ++c) EXPECT_EQ(window_.Cell(c, r), t.Cells[r][c]) << "row " << r << " column " << c;
  }
  EXPECT_EQ(window_.EarthLabel->text(), t.EarthLabel);
}

TEST_F(EphemerisWindow, UnchangedCellsAreNotRewritten) {
  window_.Moment = At(2024, 3, 31);
  window_.RefreshEphemeris();
  const long long first = window_.CellWrites();
  EXPECT_EQ(first, 18 * 8 - 1);  // every cell but the empty corner
  window_.RefreshEphemeris();
  EXPECT_EQ(window_.CellWrites(), first) << "a refresh of the same moment wrote cells";
  // One second later only a few numbers change: titles and most values stay untouched.
  window_.Moment = At(2024, 3, 31, 12, 0, 1);
  window_.RefreshEphemeris();
  const long long changed = window_.CellWrites() - first;
  EXPECT_LT(changed, 10);
  window_.SetCellIfChanged(1, 1, window_.Cell(1, 1));
  EXPECT_EQ(window_.CellWrites() - first, changed);
  window_.SetCellIfChanged(1, 1, QStringLiteral("x"));
  EXPECT_EQ(window_.CellWrites() - first, changed + 1);
  EXPECT_EQ(window_.Cell(1, 1), QStringLiteral("x"));
}

// The grid paints its cells from a text layout kept per cell. It must show what the styled
// delegate shows, pixel for pixel: after refreshes that change some cells and keep the others,
// for a text too wide for its cell (elided by the style), for an emptied cell, two lines, and
// back. Only the cells whose text changed are laid out again.
TEST(EphemerisGrid, PaintsAsTheStyledDelegateAndLaysOutOnlyChangedCells) {
  const Location place = kChemnitz;
  Tephem fast([&] { return place; });
  Tephem plain([&] { return place; });
  plain.Grid->setItemDelegate(new QStyledItemDelegate(plain.Grid));
  const auto* delegate = dynamic_cast<const TextCellDelegate*>(fast.Grid->itemDelegate());
  ASSERT_NE(delegate, nullptr);
  fast.SetLocale(kGerman);
  plain.SetLocale(kGerman);
  const auto compare = [&](const std::string& what) {
    const QImage shown = fast.Grid->grab().toImage();
    const QImage expected = plain.Grid->grab().toImage();
    ASSERT_EQ(shown.size(), expected.size()) << what;
    const auto [differing, first] = testing::DifferingPixels(shown, expected);
    EXPECT_EQ(differing, 0) << what << ": first differing device pixel (" << first.x() << ", " << first.y()
                            << ") of " << shown.width() << " x " << shown.height();
  };
  const InfoWindowMoment moments[] = {At(2024, 3, 31, 12, 0, 0), At(2024, 3, 31, 12, 1, 0), At(2024, 3, 31, 12, 1, 0),
                                      At(2024, 3, 31, 12, 31, 0), At(1987, 11, 2, 23, 59, 59)};
  for (const InfoWindowMoment& m : moments) {
    const std::string what = "moment " + QString::number(m.Hour).toStdString() + ":" +
                             QString::number(m.Minute).toStdString();
    const long long writes = fast.CellWrites();
    const long long layouts = delegate->Layouts();
    fast.Moment = plain.Moment = m;
    fast.RefreshEphemeris();
    plain.RefreshEphemeris();
    compare(what);
    // Every cell of this grid is one line of plain text: each written cell is laid out once.
    EXPECT_EQ(delegate->Layouts() - layouts, fast.CellWrites() - writes) << what << ": cells laid out";
    const long long painted = delegate->Layouts();
    compare(what + ", painted again");
    EXPECT_EQ(delegate->Layouts(), painted) << what << ": cells laid out again although no text changed";
  }
  const QString cases[] = {QStringLiteral("eine Zelle mit einem Text, breiter als die Spalte"), QString(),
                           QStringLiteral("Zeile\nzwei"), QStringLiteral("123,45°")};
  for (const QString& text : cases) {
    fast.SetCellIfChanged(3, 5, text);
    plain.SetCellIfChanged(3, 5, text);
    compare("cell text \"" + text.toStdString() + "\"");
  }
}

}  // namespace
}  // namespace zenitra
