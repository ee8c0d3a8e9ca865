// The headless command "zenitra render": arguments, errors and the picture it writes.
#include "app/render_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "sky/projection.h"
#include "zenitra_version.h"

namespace zenitra {
namespace {

const RenderOptions* Options(const std::variant<RenderOptions, QString>& parsed) {
  return std::get_if<RenderOptions>(&parsed);
}

TEST(RenderArguments, AcceptsEveryOption) {
  const auto parsed = ParseRenderArguments(
      {QStringLiteral("--place"), QStringLiteral("Chemnitz, D"), QStringLiteral("--at"), QStringLiteral("2024-12-24T22:00"),
       QStringLiteral("--azimuth"), QStringLiteral("-90"), QStringLiteral("--size"), QStringLiteral("640x480"),
       QStringLiteral("--set"), QStringLiteral("Linien=1"), QStringLiteral("--set"), QStringLiteral("Sterne=3"),
       QStringLiteral("--registers"), QStringLiteral("-o"), QStringLiteral("sky.png")});
  const RenderOptions* o = Options(parsed);
  ASSERT_NE(o, nullptr) << std::get<QString>(parsed).toStdString();
  EXPECT_EQ(*o->Place, QStringLiteral("Chemnitz, D"));
  EXPECT_EQ(*o->At, (ShownMoment{2024, 12, 24, 22, 0, 0}));
  EXPECT_EQ(*o->Azimuth, -90);
  EXPECT_EQ(o->Width, 640);
  EXPECT_EQ(o->Height, 480);
  EXPECT_TRUE(o->Settings.Switches.ConstellationLines);
  EXPECT_EQ(o->Settings.Switches.StarNames, 3);
  EXPECT_TRUE(o->PrintRegisters);
  EXPECT_EQ(o->Output, QStringLiteral("sky.png"));
  const auto seconds = ParseRenderArguments({QStringLiteral("--at"), QStringLiteral("1987-04-10T19:21:07"), QStringLiteral("-o"), QStringLiteral("x.png")});
  ASSERT_NE(Options(seconds), nullptr);
  EXPECT_EQ(*Options(seconds)->At, (ShownMoment{1987, 4, 10, 19, 21, 7}));
}

TEST(RenderArguments, BadArgumentsGiveAClearMessage) {
  const QStringList bad[] = {
      {},
      {QStringLiteral("-o")},
      {QStringLiteral("--frobnicate"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--at"), QStringLiteral("2024-02-30T10:00"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--at"), QStringLiteral("2024-13-01T10:00"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--at"), QStringLiteral("2024-00-10T10:00"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--at"), QStringLiteral("2024-12-24 22:00"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--at"), QStringLiteral("2024-12-24T24:00"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--azimuth"), QStringLiteral("181"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--azimuth"), QStringLiteral("west"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--size"), QStringLiteral("0x0"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--size"), QStringLiteral("99999x600"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--set"), QStringLiteral("Farbe=1"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--set"), QStringLiteral("Linien"), QStringLiteral("-o"), QStringLiteral("x.png")},
      {QStringLiteral("--place")},
  };
  for (const QStringList& args : bad) {
    const auto parsed = ParseRenderArguments(args);
    ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << "input " << args.join(u' ').toStdString();
    EXPECT_FALSE(std::get<QString>(parsed).isEmpty());
  }
  EXPECT_TRUE(std::get<QString>(ParseRenderArguments({QStringLiteral("--set"), QStringLiteral("Farbe=1"), QStringLiteral("-o"), QStringLiteral("x.png")}))
                  .contains(QStringLiteral("Farbe=1")));
  // An option without its value is named, not the option that follows it.
  const struct {
    QStringList args;
    QString named;
  } missing[] = {
      {{QStringLiteral("--at"), QStringLiteral("-o"), QStringLiteral("x.png")}, QStringLiteral("\"--at\"")},
      {{QStringLiteral("--place"), QStringLiteral("--registers"), QStringLiteral("-o"), QStringLiteral("x.png")}, QStringLiteral("\"--place\"")},
      {{QStringLiteral("-o"), QStringLiteral("x.png"), QStringLiteral("--set")}, QStringLiteral("\"--set\"")},
      {{QStringLiteral("--size"), QStringLiteral("640x480"), QStringLiteral("-o")}, QStringLiteral("\"-o\"")},
  };
  for (const auto& row : missing) {
    const auto parsed = ParseRenderArguments(row.args);
    ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << "input " << row.args.join(u' ').toStdString();
    EXPECT_TRUE(std::get<QString>(parsed).contains(row.named))
        << "input " << row.args.join(u' ').toStdString() << " gave " << std::get<QString>(parsed).toStdString()
        << ", expected it to name " << row.named.toStdString();
  }
}

TEST(RenderCommand, DrawsThePictureAndPrintsTheRegisters) {
  Catalogue c;
  c.PlaceNames = {QStringLiteral("Chemnitz, D")};
  c.Places = {QStringLiteral("Chemnitz, D\t50.836667\t12.854444\t1")};
  // A bright star that culminates in the south at the chosen moment is certainly drawn: take a
  // declination of +10 degrees on the meridian.
  const ShownMoment at{2024, 12, 24, 22, 0, 0};
  const Location place{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  const CataloguePlace south = CataloguePlaceAt(MakeProjectionFrame(400, 300, at, place, 0.0, false), 0.0, 0.1745);
  c.Stars = {CatalogueStar{south.AlphaRad, south.DeltaRad, 1.0, 3}};
  c.StarNames = {QStringLiteral("Ori Alpha,Testa")};
  QTemporaryDir dir;
  RenderOptions o;
  o.At = at;
  o.Width = 400;
  o.Height = 300;
  o.PrintRegisters = true;
  o.Output = dir.filePath(QStringLiteral("sky.png"));
  QString outText, errText;
  QTextStream out(&outText), err(&errText);
  EXPECT_EQ(RunRender(o, c, out, err), 0) << errText.toStdString();
  out.flush();
  const QImage image(o.Output);
  ASSERT_EQ(image.size(), QSize(400, 300));
  EXPECT_EQ(QColor(image.pixel(200, 5)), QColor(Qt::black));
  // The bodies come first (Jupiter stands high in the east-south-east that evening), then the stars.
  EXPECT_TRUE(outText.contains(QStringLiteral("\tJupiter\n"))) << outText.toStdString();
  EXPECT_TRUE(outText.endsWith(QStringLiteral("\tOri Alpha,Testa\n"))) << outText.toStdString();
  EXPECT_TRUE(outText.split(u'\n', Qt::SkipEmptyParts).last().startsWith(QStringLiteral("200\t")))
      << outText.toStdString();
  // An unknown place is refused with exit code 2; an unwritable output with 1.
  o.Place = QStringLiteral("Atlantis");
  EXPECT_EQ(RunRender(o, c, out, err), 2);
  err.flush();
  EXPECT_TRUE(errText.contains(QStringLiteral("Atlantis")));
  o.Place.reset();
  o.Output = dir.filePath(QStringLiteral("missing/folder/sky.png"));
  EXPECT_EQ(RunRender(o, c, out, err), 1);
}

TEST(StarCommand, PrintsTheInformationTextLineByLineOrRefusesAnUnknownName) {
  Catalogue c;
  c.StarNames = {QStringLiteral("Ori 9"), QStringLiteral("Cet UV A")};
  c.Constellations = {QStringLiteral("Orion"), QStringLiteral("Orion"), QStringLiteral("Ori"), QStringLiteral("1.5"),
                      QStringLiteral("0.1")};
  const QStringList star6 = {QStringLiteral("Ori 9"),  QStringLiteral("5.0"),    QStringLiteral("-1.5"),
                             QStringLiteral("-10000"), QStringLiteral("-10000"), QStringLiteral("-10000"),
                             QStringLiteral("5.9"),    QStringLiteral("-10000"), QStringLiteral("B2")};
  QString outText, errText;
  QTextStream out(&outText), err(&errText);
  EXPECT_EQ(RunStar({QStringLiteral("Ori 9")}, c, star6, out, err), 0);
  out.flush();
  EXPECT_EQ(outText, QStringLiteral("Ori 9\nSternbild: Orion\nm = 5.9 mag\nSKL = B2\nalpha = 5h0'0\"\n"
                                    "delta = -1°30'0\"\n"));
  // A star without a record: its name alone.
  outText.clear();
  EXPECT_EQ(RunStar({QStringLiteral("Cet UV A")}, c, star6, out, err), 0);
  out.flush();
  EXPECT_EQ(outText, QStringLiteral("Cet UV A\n"));
  // No such STAR3 name, or not exactly one name: exit code 2 and a message.
  EXPECT_EQ(RunStar({QStringLiteral("Ori")}, c, star6, out, err), 2);
  EXPECT_EQ(RunStar({}, c, star6, out, err), 2);
  EXPECT_EQ(RunStar({QStringLiteral("Ori 9"), QStringLiteral("x")}, c, star6, out, err), 2);
  err.flush();
  EXPECT_TRUE(errText.contains(QStringLiteral("Kein Stern heißt \"Ori\""))) << errText.toStdString();
}

TEST(RenderCommand, HelpNamesTheCommandAndItsOptions) {
  const QString help = CommandLineHelp();
  for (const char* word : {"render", "star NAME", "--place", "--at", "--azimuth", "--size", "--set", "--registers",
                           "-o FILE.png", "FILE.pdf", "Mond=1", "Venus=1", "--version"}) {
    EXPECT_TRUE(help.contains(QString::fromLatin1(word))) << word;
  }
}

// Over ssh, from cron and in containers there is neither a display nor XDG_RUNTIME_DIR. Every
// command must still work there and write nothing to stderr (Qt used to print a notice about the
// runtime folder on every call). Runs the built program itself.
TEST(CommandLine, RunsQuietlyWithoutADesktop) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString png = dir.filePath(QStringLiteral("sky.png"));
  const QString at = QStringLiteral("2025-01-04T18:30");
  const QList<QStringList> rows = {
      {QStringLiteral("--version")},
      {QStringLiteral("--help")},
      {QStringLiteral("render"), QStringLiteral("--at"), at, QStringLiteral("--set"), QStringLiteral("Horizont=1"),
       QStringLiteral("-o"), png},
      {QStringLiteral("star"), QStringLiteral("Ori Alpha,Beteigeuze")},
      {QStringLiteral("sun"), QStringLiteral("--at"), at},
      {QStringLiteral("moon"), QStringLiteral("--at"), at},
      {QStringLiteral("ephemeris"), QStringLiteral("--at"), at},
      {QStringLiteral("planet"), QStringLiteral("Venus"), QStringLiteral("--at"), at},
      {QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("--format"), QStringLiteral("ics")},
      {QStringLiteral("moon-calendar"), QStringLiteral("2026-03"), QStringLiteral("-o"),
       dir.filePath(QStringLiteral("mond.pdf"))},
  };
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  for (const QStringList& arguments : rows) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZENITRA_PROGRAM), arguments);
    const std::string call = "zenitra " + arguments.join(u' ').toStdString();
    ASSERT_TRUE(program.waitForFinished(120000)) << call;
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const std::string err = program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << call;
    EXPECT_EQ(program.exitCode(), 0) << call << "\nstderr: " << err;
    EXPECT_TRUE(err.empty()) << call << " wrote to stderr: " << err;
    if (arguments.first() == QStringLiteral("render")) {
      EXPECT_EQ(QImage(png).size(), QSize(1054, 664)) << call;
    } else if (arguments.first() == QStringLiteral("--version")) {
      EXPECT_EQ(out, QStringLiteral("Zenitra %1\n").arg(QLatin1String(kZenitraVersion)));
    } else {
      EXPECT_FALSE(out.isEmpty()) << call << " printed nothing";
    }
  }
}

}  // namespace
}  // namespace zenitra
