// Mouse on the sky map: hit tests against the registers of the last drawing, clicks on bodies and
// stars in the main window, the information box placement and dragging.
#include "sky/sky_mouse.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <numbers>

#include "ui/catalogue.h"
#include "sky/star_information.h"
#include "app/tfhimmel.h"

namespace zenitra {
namespace {

TEST(RegisterHitTest, FourPixelsHitAndFivePixelsMiss) {
  const QString line = QStringLiteral("100\t200\tVenus");
  EXPECT_EQ(RegisterLineHit(line, 104, 204), QStringLiteral("Venus"));
  EXPECT_EQ(RegisterLineHit(line, 96, 196), QStringLiteral("Venus"));
  EXPECT_FALSE(RegisterLineHit(line, 105, 200).has_value());
  EXPECT_FALSE(RegisterLineHit(line, 100, 195).has_value());
  EXPECT_FALSE(RegisterLineHit(line, 95, 205).has_value());
  // A star name keeps its commas and blanks; malformed lines never hit.
  EXPECT_EQ(RegisterLineHit(QStringLiteral("-3\t7\tOri Alpha,Beteigeuze"), 0, 10), QStringLiteral("Ori Alpha,Beteigeuze"));
  for (const char* bad : {"", "100", "100\t200", "x\t200\tVenus", "100\ty\tVenus", "\t\tVenus"}) {
    EXPECT_FALSE(RegisterLineHit(QString::fromLatin1(bad), 100, 200).has_value()) << bad;
  }
}

TEST(RegisterHitTest, FirstRegisteredBodyWinsAndTheCursorIsResetFirst) {
  PositionRegister bodies;
  bodies.Add(300, 300, QStringLiteral("Merkur"));
  bodies.Add(100, 100, QStringLiteral("Venus"));
  bodies.Add(102, 101, QStringLiteral("Sonne"));
  bodies.Add(101, 99, QStringLiteral("Mond"));
  ASSERT_TRUE(bodies.AtEnd()) << "after adding, the cursor stands behind the last line";
  EXPECT_EQ(HitTest(bodies, 101, 100), QStringLiteral("Venus")) << "a planet beats the Sun and the Moon";
  EXPECT_EQ(HitTest(bodies, 105, 102), QStringLiteral("Sonne"));
  EXPECT_EQ(HitTest(bodies, 300, 304), QStringLiteral("Merkur"));
  EXPECT_FALSE(HitTest(bodies, 200, 200).has_value());
  PositionRegister empty;
  EXPECT_FALSE(HitTest(empty, 0, 0).has_value());
}

TEST(InformationBox, OpensBesideTheClickAndKeepsAwayFromTheScreenEdges) {
  const QSize screen(1920, 1080);
  EXPECT_EQ(InformationBoxTopLeft({500, 400}, screen), QPoint(520, 400));
  // Near the right edge: 200 pixels left of the click instead of 20 to the right.
  EXPECT_EQ(InformationBoxTopLeft({1800, 400}, screen), QPoint(1600, 400));
  EXPECT_EQ(InformationBoxTopLeft({1700, 400}, screen), QPoint(1720, 400)) << "1700 + 220 does not pass 1920";
  // Near the bottom edge: at screen height - 320.
  EXPECT_EQ(InformationBoxTopLeft({500, 900}, screen), QPoint(520, 760));
  EXPECT_EQ(InformationBoxTopLeft({500, 780}, screen), QPoint(520, 780));
}

// ---- the main window -------------------------------------------------------------------------

// 572 places with Chemnitz at 571, the real constellations, and one star that culminates at
// 2025-01-03 17:30 CET at a declination of +10 degrees.
Catalogue MouseCatalogue() {
  Catalogue c;
  for (int i = 0; i < 572; ++i) {
    const QString name = i == 571 ? QStringLiteral("Chemnitz, D") : QStringLiteral("Ort %1, X").arg(i);
    c.PlaceNames << name;
    c.Places << (i == 571 ? name + QStringLiteral("\t50.836667\t12.854444\t1") : name + QStringLiteral("\t10\t10\t1"));
  }
  c.Constellations = LoadCatalogueLines(QStringLiteral("STAR5"));
  const double theta = SkySiderealAngle(ShownMoment{2025, 1, 3, 17, 30, 0},
                                        Location{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"}, false);
  c.Stars = {CatalogueStar{theta, 10.0 * std::numbers::pi / 180.0, 1.0, 3}};
  c.StarNames = {QStringLiteral("Ori Alpha,Beteigeuze")};
  return c;
}

class SkyMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    w_ = std::make_unique<Tfhimmel>(MouseCatalogue(), dir_.path());
    w_->ShowMessage = [this](const QString& m) { messages_ << m; };
    w_->ShowStarInformation = [this](const QString& text, QPoint topLeft) {
      boxes_ << text;
      boxPlaces_ << topLeft;
    };
    QObject::connect(w_.get(), &Tfhimmel::BodyClicked, [this](const QString& name) { clicked_ << name; });
    w_->Information().RunModal = [](Tuplanet&) {};  // a planet click opens its window modal
    w_->show();
    w_->DE1->setDate(QDate(2025, 1, 3));
    w_->cb2->setCurrentIndex(17 * 12 + 6);  // 17:30
    Draw();
  }
  // The drawing the paint event makes, into an image of the drawing area's size.
  void Draw() {
    QImage image(w_->PB1->size(), QImage::Format_RGB32);
    w_->malen(image);
  }
  QPoint Registered(const PositionRegister& r, const QString& name) {
    for (const QString& line : r.Lines()) {
      if (line.section(u'\t', 2) == name) return {line.section(u'\t', 0, 0).toInt(), line.section(u'\t', 1, 1).toInt()};
    }
    ADD_FAILURE() << name.toStdString() << " not registered";
    return {};
  }

  QTemporaryDir dir_;
  std::unique_ptr<Tfhimmel> w_;
  QStringList messages_, clicked_, boxes_;
  QList<QPoint> boxPlaces_;
};

TEST_F(SkyMouse, ClickOnABodyIsDispatchedAndEndsTheHandler) {
  const QPoint venus = Registered(w_->Registers().BodyPositionList, QStringLiteral("Venus"));
  const int azimuth = w_->rx2->value();
  w_->PB1MouseDown(venus.x() + 4, venus.y() + 4);
  EXPECT_EQ(clicked_, QStringList{QStringLiteral("Venus")});
  w_->PB1MouseMove(venus.x() + 300);
  EXPECT_EQ(w_->rx2->value(), azimuth) << "a body click starts no drag";
  w_->PB1MouseUp();
  // Five pixels away: no hit, a drag starts instead.
  w_->PB1MouseDown(venus.x() + 5, venus.y());
  EXPECT_EQ(clicked_.size(), 1);
  w_->PB1MouseMove(venus.x() + 5 - w_->PB1->width() / 2);
  EXPECT_NEAR(w_->rx2->value(), azimuth + 90, 1) << "dragging half the width to the left";
  w_->PB1MouseUp();
}

TEST_F(SkyMouse, ClicksReadOnlyTheRegistersOfTheLastDrawing) {
  const QPoint venus = Registered(w_->Registers().BodyPositionList, QStringLiteral("Venus"));
  w_->SetDirection(180);  // facing north: Venus is behind the viewer
  Draw();
  w_->PB1MouseDown(venus.x(), venus.y());
  w_->PB1MouseUp();
  EXPECT_TRUE(clicked_.isEmpty());
}

TEST_F(SkyMouse, StarClickShowsItsInformationOnlyWhileStarInformationIsOn) {
  ASSERT_TRUE(w_->Registers().StarPositionList.Lines().isEmpty()) << "switch off: no star registered";
  w_->MenuAction(QStringLiteral("Sterninformationen anzeigen"))->trigger();
  Draw();
  const QPoint star = Registered(w_->Registers().StarPositionList, QStringLiteral("Ori Alpha,Beteigeuze"));
  ASSERT_FALSE(HitTest(w_->Registers().BodyPositionList, star.x() - 3, star.y() + 2).has_value());
  const int azimuth = w_->rx2->value();
  w_->PB1MouseDown(star.x() - 3, star.y() + 2);
  ASSERT_EQ(boxes_.size(), 1);
  EXPECT_EQ(boxes_[0], StarInformationText(QStringLiteral("Ori Alpha,Beteigeuze"), w_->CatalogueData().Constellations));
  EXPECT_TRUE(boxes_[0].startsWith(QStringLiteral("Ori Alpha,Beteigeuze\n\rSternbild: Orion\n\r")));
  const QPoint screenPoint = w_->centralWidget()->mapToGlobal(QPoint(star.x() - 3, star.y() + 2));
  EXPECT_EQ(boxPlaces_[0], InformationBoxTopLeft(screenPoint, QGuiApplication::primaryScreen()->geometry().size()));
  w_->PB1MouseMove(0);
  EXPECT_EQ(w_->rx2->value(), azimuth) << "a star click starts no drag";
  w_->PB1MouseUp();

  // Switched off again: the same click turns the view.
  w_->MenuAction(QStringLiteral("Sterninformationen anzeigen"))->trigger();
  Draw();
  w_->PB1MouseDown(star.x(), star.y());
  w_->PB1MouseMove(star.x() + w_->PB1->width() / 2);
  EXPECT_EQ(boxes_.size(), 1);
  EXPECT_NEAR(w_->rx2->value(), azimuth - 90, 1);
  w_->PB1MouseUp();
  EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace
}  // namespace zenitra
