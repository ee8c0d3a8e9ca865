// Places the user enters: checking the fields, storing them, and the place list at the next start.
#include "app/own_places.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ui/catalogue.h"
#include "app/tfhimmel.h"
#include "support/small_catalogue.h"

namespace zenitra {
namespace {

TEST(OwnPlaces, BadFieldsGetAMessageNamingThem) {
  const QStringList existing = {QStringLiteral("Chemnitz, D")};
  const struct {
    OwnPlaceInput input;
    const char* named;
  } rows[] = {
      {{QStringLiteral(" "), QStringLiteral("50"), QStringLiteral("12"), QStringLiteral("1"), {}}, "Namen"},
      {{QStringLiteral("chemnitz, d"), QStringLiteral("50"), QStringLiteral("12"), QStringLiteral("1"), {}}, "gibt es schon"},
      {{QStringLiteral("Hütte"), QStringLiteral("91"), QStringLiteral("12"), QStringLiteral("1"), {}}, "Breite \"91\""},
      {{QStringLiteral("Hütte"), QStringLiteral("Nord"), QStringLiteral("12"), QStringLiteral("1"), {}}, "Breite \"Nord\""},
      {{QStringLiteral("Hütte"), QStringLiteral("50"), QStringLiteral("-181"), QStringLiteral("1"), {}}, "Länge \"-181\""},
      {{QStringLiteral("Hütte"), QStringLiteral("50"), QStringLiteral("12"), QStringLiteral("15"), {}}, "Zeitzone \"15\""},
      {{QStringLiteral("Hütte"), QStringLiteral("50"), QStringLiteral("12"), QStringLiteral("1"), QStringLiteral("Europe/Chemnitz")},
       "Europe/Chemnitz"},
  };
  for (const auto& row : rows) {
    const OwnPlaceResult r = OwnPlaceRecord(row.input, existing);
    EXPECT_TRUE(r.Record.isEmpty()) << row.named;
    EXPECT_TRUE(r.Error.contains(QString::fromUtf8(row.named))) << "expected " << row.named << " got " << r.Error.toStdString();
  }
}

// A valid place with a German decimal comma is stored, read back at the next start, joins the
// place list and is chosen by the stored settings like any other place.
TEST(OwnPlaces, StoredPlaceJoinsTheListAtTheNextStart) {
  const OwnPlaceResult r = OwnPlaceRecord(
      {QStringLiteral("Sternwarte Rochlitz"), QStringLiteral("51,05"), QStringLiteral("12,8"), QStringLiteral("1"),
       QStringLiteral("Europe/Berlin")},
      {QStringLiteral("Chemnitz, D")});
  ASSERT_TRUE(r.Error.isEmpty()) << r.Error.toStdString();
  const std::optional<Location> place = ParsePlaceRecord(r.Record);
  ASSERT_TRUE(place.has_value()) << r.Record.toStdString();
  EXPECT_DOUBLE_EQ(place->LatitudeDeg, 51.05);
  EXPECT_DOUBLE_EQ(place->LongitudeDeg, 12.8);
  EXPECT_EQ(place->TimeZoneId, "Europe/Berlin");

  QTemporaryDir dir;
  const QString settings = dir.filePath(QStringLiteral("zenitra.ini"));
  ASSERT_EQ(AppendOwnPlace(OwnPlacesPath(settings), r.Record), QString());
  {
    QFile f(settings);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Zenitra]\r\nOrt=Sternwarte Rochlitz\r\n");
  }
  Tfhimmel w(testing::SmallCatalogue(), dir.path());
  w.ShowMessage = [](const QString&) {};
  w.show();
  w.FormActivate();
  EXPECT_EQ(w.ComboBox1->count(), 573);
  EXPECT_EQ(w.ComboBox1->currentText(), QStringLiteral("Sternwarte Rochlitz"));
  EXPECT_EQ(w.View().Place.Name, "Sternwarte Rochlitz");
  EXPECT_DOUBLE_EQ(w.View().Place.LatitudeDeg, 51.05);
}

}  // namespace
}  // namespace zenitra
