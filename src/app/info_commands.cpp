#include "app/info_commands.h"

#include <QDateTime>

#include "core/conversion_error.h"
#include "core/time_scales.h"
#include "sky/projection.h"
#include "sky/position_registers.h"
#include "app/render_command.h"
#include "sky/sky_renderer.h"
#include "ui/time_zone.h"
#include "info_windows/ephemeris_table.h"
#include "info_windows/moon_parameters_text.h"
#include "info_windows/planet_information_text.h"
#include "info_windows/sun_parameters_text.h"

namespace zenitra {

namespace {

const QString kDefaultPlace = QStringLiteral("Chemnitz, D");

const QStringList& PlanetNames() {
  static const QStringList names = {QStringLiteral("Merkur"), QStringLiteral("Venus"),  QStringLiteral("Mars"),
                                    QStringLiteral("Jupiter"), QStringLiteral("Saturn"), QStringLiteral("Uranus"),
                                    QStringLiteral("Neptun")};
  return names;
}

std::optional<Location> FindPlace(const Catalogue& catalogue, const QString& name) {
  for (qsizetype i = 0; i < catalogue.PlaceNames.size() && i < catalogue.Places.size(); ++i) {
    if (catalogue.PlaceNames[i].compare(name, Qt::CaseInsensitive) == 0) return ParsePlaceRecord(catalogue.Places[i]);
  }
  return std::nullopt;
}

QString WithLineFeeds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (!text.endsWith(u'\n')) text += u'\n';
  return text;
}

}  // namespace

bool IsInformationCommand(const QString& command) {
  return command == QStringLiteral("sun") || command == QStringLiteral("moon") ||
         command == QStringLiteral("ephemeris") || command == QStringLiteral("planet");
}

QString InformationCommandsHelp() {
  return QStringLiteral(
      "\n"
      "Zusatzinformationen ohne Fenster (derselbe Text wie im Fenster, Zeilenenden als LF):\n"
      "  zenitra sun [--place NAME] [--at YYYY-MM-DDTHH:MM[:SS]]\n"
      "                          Text des Fensters \"Aktuelle Sonnenparameter\"; Position, Azimut\n"
      "                          und Höhe der Sonne wie in der Karte (1054x664, Süden in der Mitte)\n"
      "  zenitra moon [--place NAME] [--at …]\n"
      "                          Text des Fensters \"Aktuelle Mondparameter\"\n"
      "  zenitra ephemeris [--place NAME] [--at …]\n"
      "                          die Ephemeridentabelle, eine Zeile je Tabellenzeile, Zellen durch\n"
      "                          Tabulatoren getrennt\n"
      "  zenitra planet NAME [--place NAME] [--at …]\n"
      "                          Steckbrief und Ephemeride eines Planeten (Merkur, Venus, Mars,\n"
      "                          Jupiter, Saturn, Uranus, Neptun)\n"
      "  --place und --at wie bei render (Vorgabe: \"Chemnitz, D\", jetzt). Zahlen, Datum und\n"
      "  Uhrzeit im Format der Systemsprache. Falsche Argumente: Meldung und Rückgabewert 2.\n");
}

std::variant<InformationOptions, QString> ParseInformationArguments(const QStringList& args) {
  InformationOptions o;
  if (args.isEmpty() || !IsInformationCommand(args.first())) {
    return QStringLiteral("Unbekannter Befehl \"%1\".").arg(args.isEmpty() ? QString() : args.first());
  }
  o.Command = args.first();
  qsizetype i = 1;
  if (o.Command == QStringLiteral("planet")) {
    if (args.size() < 2 || args[1].startsWith(u'-')) {
      return QStringLiteral("Nach \"planet\" fehlt der Name des Planeten (%1).").arg(PlanetNames().join(QStringLiteral(", ")));
    }
    if (!PlanetNames().contains(args[1])) {
      return QStringLiteral("Unbekannter Planet \"%1\": erwartet einen von %2.")
          .arg(args[1], PlanetNames().join(QStringLiteral(", ")));
    }
    o.Planet = args[1];
    i = 2;
  }
  // Place and time are checked exactly as the render command checks them.
  QStringList renderArgs;
  for (; i < args.size(); ++i) {
    if (args[i] != QStringLiteral("--place") && args[i] != QStringLiteral("--at")) {
      return QStringLiteral("Unbekanntes Argument \"%1\".").arg(args[i]);
    }
    if (i + 1 >= args.size() || args[i + 1] == QStringLiteral("--place") || args[i + 1] == QStringLiteral("--at")) {
      return QStringLiteral("Nach \"%1\" fehlt ein Wert.").arg(args[i]);
    }
    renderArgs << args[i] << args[i + 1];
    ++i;
  }
  renderArgs << QStringLiteral("-o") << QStringLiteral("-");
  const auto parsed = ParseRenderArguments(renderArgs);
  if (const QString* error = std::get_if<QString>(&parsed)) return *error;
  const RenderOptions& r = std::get<RenderOptions>(parsed);
  o.Place = r.Place;
  o.At = r.At;
  // The calendar conversion reads month 0, 13 and 14 as months of the neighbouring years; the
  // windows never receive such a month, so neither do these commands.
  if (o.At && (o.At->Month < 1 || o.At->Month > 12)) {
    return QStringLiteral("Ungültiger Zeitpunkt: der Monat %1 liegt nicht zwischen 1 und 12.").arg(o.At->Month);
  }
  return o;
}

int RunInformationCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  const auto parsed = ParseInformationArguments(arguments);
  if (const QString* error = std::get_if<QString>(&parsed)) {
    err << *error << QStringLiteral("\nHilfe: zenitra --help\n");
    return 2;
  }
  (void)Startup();
  Catalogue catalogue;
  try {
    catalogue = LoadCatalogue();
  } catch (const CatalogueError& e) {
    err << e.Message() << '\n';
    return 1;
  }
  return RunInformationCommand(std::get<InformationOptions>(parsed), catalogue, out, err);
}

InformationResult InformationText(const InformationOptions& o, const Catalogue& catalogue, const QLocale& locale) {
  const QString placeName = o.Place.value_or(kDefaultPlace);
  const std::optional<Location> place = FindPlace(catalogue, placeName);
  if (!place) {
    return InformationResult{
        {},
        QStringLiteral("Unbekannter Ort \"%1\". Orte stehen in der Ortsliste, z. B. \"%2\".").arg(placeName, kDefaultPlace)};
  }
  ShownMoment m;
  if (o.At) {
    m = *o.At;
  } else {
    // Now at the place: its clock, summer time included, converted from the computer's clock.
    m = ClockOf(PlaceClockNow(*place).Clock);
  }
  // The moment is the place's legal clock time: standard time plus the summer hour in force.
  const InfoWindowMoment moment = SkyMoment(m, *place, true);
  QString text;
  if (o.Command == QStringLiteral("sun")) {
    text = SunParametersText(moment, *place, locale);
  } else if (o.Command == QStringLiteral("moon")) {
    text = MoonParametersText(moment, *place, locale);
  } else if (o.Command == QStringLiteral("ephemeris")) {
    text = EphemerisTableText(BuildEphemerisTable(moment, *place, locale));
  } else {
    text = FactSheetText(o.Planet) + PlanetEphemerisText(o.Planet, moment, *place, locale);
  }
  return InformationResult{WithLineFeeds(text), std::nullopt};
}

int RunInformationCommand(const InformationOptions& o, const Catalogue& catalogue, QTextStream& out,
                          QTextStream& err) {
  if (const std::optional<QString> message = TimeZoneDatabaseMessage()) err << *message << '\n';
  InformationResult result;
  try {
    result = InformationText(o, catalogue, QLocale());
  } catch (const ConversionError& e) {
    result.Error = QString::fromUtf8(e.what());
  }
  if (result.Error) {
    err << *result.Error << '\n';
    return 2;
  }
  out << result.Text;
  return 0;
}

}  // namespace zenitra
