#include "app/render_command.h"

#include <QDateTime>
#include <QImageWriter>
#include <QRegularExpression>

#include "core/time_scales.h"
#include "app/export_commands.h"
#include "sky/panorama.h"
#include "sky/position_registers.h"
#include "sky/sky_renderer.h"
#include "sky/star_information.h"
#include "ui/printing.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {

constexpr int kMinSide = 64;
constexpr int kMaxSide = 8192;
const QString kDefaultPlace = QStringLiteral("Chemnitz, D");

std::optional<ShownMoment> ParseMoment(const QString& text) {
  static const QRegularExpression pattern(
      QStringLiteral("^(-?\\d{1,6})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2})(?::(\\d{2}))?$"));
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) return std::nullopt;
  ShownMoment r{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).isEmpty() ? 0 : m.captured(6).toInt()};
  // The core's calendar reads months 13 and 14 as January and February of the next year; on the
  // command line that is a typing error.
  if (r.Month < 1 || r.Month > 12 || r.Hour > 23 || r.Minute > 59 || r.Second > 59) return std::nullopt;
  // The years of the main window's date field.
  if (r.Year < kFirstYear || r.Year > kLastYear) return std::nullopt;
  try {
    (void)JulianDayOfDate(r.Year, r.Month, r.Day);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
  return r;
}

}  // namespace

QString CommandLineHelp() {
  return QStringLiteral(
      "Zenitra – der Sternhimmel über einem Ort zu einer Zeit.\n"
      "\n"
      "Aufruf:\n"
      "  zenitra                 öffnet das Hauptfenster\n"
      "  zenitra render [--place NAME] [--at YYYY-MM-DDTHH:MM[:SS]] [--azimuth DEG]\n"
      "                 [--size WxH] [--set KEY=VALUE …] [--registers] -o FILE.png|FILE.pdf\n"
      "                          zeichnet die Himmelskarte ohne Fenster in eine PNG-Datei oder,\n"
      "                          für Papier mit dunklen Sternen auf Weiß, als A4-Seite in eine PDF-Datei\n"
      "  zenitra star NAME       gibt die Sterninformationen eines Sterns aus, NAME wie in der\n"
      "                          Sternliste, z. B. \"Ori Alpha,Beteigeuze\"\n"
      "  zenitra --help          zeigt diese Hilfe\n"
      "  zenitra --version       gibt den Namen und die Version aus\n"
      "\n"
      "Optionen von render:\n"
      "  --place NAME     Ort wie in der Ortsliste, z. B. \"Chemnitz, D\" (Vorgabe)\n"
      "  --at ZEIT        örtliche Uhrzeit des Ortes, z. B. 2024-12-24T22:00 (Vorgabe: jetzt)\n"
      "  --azimuth DEG    Azimut in der Bildmitte, -180..180, von Süden über Westen (Vorgabe 0)\n"
      "  --size WxH       Größe der Zeichenfläche in Pixeln, 64..8192 (Vorgabe 1054x664)\n"
      "  --set KEY=VALUE  ein Schlüssel der Einstellungsdatei zenitra.ini, z. B. Linien=1,\n"
      "                   SGrenzen=1, Sterne=3, Sternbilder=1, Ksystem=1, Horizont=1,\n"
      "                   Sommerzeit=1; mehrfach erlaubt. Vorgaben wie beim ersten Start.\n"
      "  --registers      schaltet die Sterninformationen ein und gibt jede Zeile beider\n"
      "                   Positionsregister aus (x, Tabulator, y, Tabulator, Name): erst Planeten,\n"
      "                   Sonne und Mond in der Zeichenreihenfolge, dann die Sterne\n"
      "  Mond=1, Jupiter=1 und Venus=1 schalten den Mond, die Jupitermonde und die Venusphase ein.\n"
      "  -o FILE.png      Ausgabedatei; endet sie auf .pdf, eine A4-Seite für Papier\n"
      "\n"
      "Falsche Argumente und unbekannte Sterne enden mit einer Meldung und dem Rückgabewert 2.\n");
}

std::variant<RenderOptions, QString> ParseRenderArguments(const QStringList& args) {
  static const QStringList withValue = {QStringLiteral("--place"), QStringLiteral("--azimuth"), QStringLiteral("--at"),
                                        QStringLiteral("--size"),  QStringLiteral("--set"),     QStringLiteral("-o")};
  RenderOptions o;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    // An option name where the value should be means the value was left out ("--at -o x.png");
    // values may still begin with '-' ("--azimuth -90", "--at -500-03-01T12:00").
    const auto value = [&]() -> std::optional<QString> {
      if (i + 1 >= args.size() || withValue.contains(args[i + 1]) || args[i + 1] == QStringLiteral("--registers")) {
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == QStringLiteral("--registers")) {
      o.PrintRegisters = true;
      continue;
    }
    if (!withValue.contains(a)) return QStringLiteral("Unbekanntes Argument \"%1\".").arg(a);
    const std::optional<QString> v = value();
    if (!v) return QStringLiteral("Nach \"%1\" fehlt ein Wert.").arg(a);
    if (a == QStringLiteral("--place")) {
      o.Place = *v;
    } else if (a == QStringLiteral("--at")) {
      o.At = ParseMoment(*v);
      if (!o.At) {
        return QStringLiteral("Ungültiger Zeitpunkt \"%1\": erwartet YYYY-MM-DDTHH:MM oder YYYY-MM-DDTHH:MM:SS.")
            .arg(*v);
      }
    } else if (a == QStringLiteral("--azimuth")) {
      bool ok = false;
      const int az = v->toInt(&ok);
      if (!ok || !AzimuthApplies(az)) {
        return QStringLiteral("Ungültiges Azimut \"%1\": erwartet eine ganze Zahl von -180 bis 180.").arg(*v);
      }
      o.Azimuth = az;
    } else if (a == QStringLiteral("--size")) {
      static const QRegularExpression size(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
      const QRegularExpressionMatch m = size.match(*v);
      const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
      const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
      if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide) {
        return QStringLiteral("Ungültige Größe \"%1\": erwartet BREITExHÖHE, je %2 bis %3 Pixel.")
            .arg(*v)
            .arg(kMinSide)
            .arg(kMaxSide);
      }
      o.Width = w;
      o.Height = h;
    } else if (a == QStringLiteral("--set")) {
      const qsizetype eq = v->indexOf(u'=');
      if (eq <= 0 || !SetSettingsKey(o.Settings, v->left(eq), v->mid(eq + 1))) {
        return QStringLiteral("Ungültige Einstellung \"%1\": erwartet KEY=VALUE mit einem Schlüssel von "
                              "zenitra.ini (%2) und einer ganzen Zahl.")
            .arg(*v, SettingsKeys().join(QStringLiteral(", ")));
      }
    } else if (a == QStringLiteral("-o")) {
      o.Output = *v;
    }
  }
  if (o.Output.isEmpty()) return QStringLiteral("Die Ausgabedatei fehlt: -o FILE.png oder -o FILE.pdf.");
  return o;
}

int RunRender(const RenderOptions& o, const Catalogue& catalogue, QTextStream& out, QTextStream& err) {
  // The place: --place, else "Ort" of --set, else Chemnitz as at the first start.
  QString placeName = o.Place.value_or(o.Settings.Place.isEmpty() ? kDefaultPlace : o.Settings.Place);
  const std::optional<Location> place = FindListedPlace(catalogue.PlaceNames, catalogue.Places, placeName);
  if (!place) {
    err << QStringLiteral("Unbekannter Ort \"%1\". Orte stehen in der Ortsliste, z. B. \"%2\".\n")
               .arg(placeName, kDefaultPlace);
    return 2;
  }
  SkyView view;
  view.Place = *place;
  view.Switches = o.Settings.Switches;
  if (o.PrintRegisters) view.Switches.StarInformation = true;
  view.CentreAzimuth = o.Azimuth.value_or(AzimuthApplies(o.Settings.Azimuth) ? o.Settings.Azimuth : 0);
  if (const std::optional<QString> message = TimeZoneDatabaseMessage()) err << *message << '\n';
  if (o.At) {
    view.Moment = *o.At;
  } else {
    // Now at the place: its clock, with its summer hours when the summer-time switch is on.
    view.Moment = ClockOf(PlaceClockNow(view.Place, view.Switches.SummerTime).Clock);
  }
  const SkyPictures pictures = view.Switches.Horizon ? LoadHorizonPictures() : SkyPictures{};
  PositionRegisters registers;
  const QImage image = RenderSky(o.Width, o.Height, view, catalogue, pictures, registers);
  // A PDF is for paper: the map in the paper palette, on an A4 page across.
  const bool pdf = o.Output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
  const QString error = WritePicture(o.Output, pdf ? PaperPalette(image) : image, QPageLayout::Landscape,
                                     QStringLiteral("Zenitra – Sternkarte"));
  if (!error.isEmpty()) {
    err << error << '\n';
    return 1;
  }
  if (o.PrintRegisters) {
    for (const QString& line : registers.BodyPositionList.Lines()) out << line << '\n';
    for (const QString& line : registers.StarPositionList.Lines()) out << line << '\n';
  }
  return 0;
}

int RunStar(const QStringList& arguments, const Catalogue& catalogue, const QStringList& star6Lines,
            QTextStream& out, QTextStream& err) {
  if (arguments.size() != 1 || arguments.first().isEmpty()) {
    err << QStringLiteral("Aufruf: zenitra star NAME, z. B. zenitra star \"Ori Alpha,Beteigeuze\".\n");
    return 2;
  }
  const QString& name = arguments.first();
  if (!catalogue.StarNames.contains(name)) {
    err << QStringLiteral("Kein Stern heißt \"%1\". Namen stehen wie in der Sternliste, z. B. "
                          "\"Ori Alpha,Beteigeuze\", \"UMa Alpha,Dubhe\".\n")
               .arg(name);
    return 2;
  }
  QString text = StarInformationText(name, star6Lines, catalogue.Constellations);
  out << text.replace(QString::fromUtf16(kStarInformationBreak), QStringLiteral("\n")) << '\n';
  return 0;
}

}  // namespace zenitra
