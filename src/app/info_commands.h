#pragma once
// The headless commands "zenitra sun|moon|ephemeris|planet": print exactly the text that the Sun,
// Moon, ephemeris or planet information window shows, built by the same functions.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>
#include <variant>

#include "core/shared_types.h"
#include "ui/catalogue.h"
#include "ui/sky_state.h"

namespace zenitra {

/// Whether `command` (the first argument) is one of "sun", "moon", "ephemeris", "planet".
[[nodiscard]] bool IsInformationCommand(const QString& command);

/// The part of "zenitra --help" that describes these commands.
[[nodiscard]] QString InformationCommandsHelp();

struct InformationOptions {
  QString Command;               ///< "sun", "moon", "ephemeris" or "planet"
  QString Planet;                ///< the planet's German name (planet only)
  std::optional<QString> Place;  ///< --place NAME; default "Chemnitz, D"
  std::optional<ShownMoment> At; ///< --at: local clock time of the place; default now
};

/// Parses the whole argument list after the program name ("sun --place X ..."). Returns the options
/// or a German error message.
[[nodiscard]] std::variant<InformationOptions, QString> ParseInformationArguments(const QStringList& arguments);

/// The text a window would show, with line feeds as line ends and one line feed at the end; or a
/// German message for an unknown place. The Sun's values are those that a drawing of the map at
/// its designed size leaves (1054 x 664, south in the centre, every switch off).
struct InformationResult {
  QString Text;
  std::optional<QString> Error;
};
[[nodiscard]] InformationResult InformationText(const InformationOptions& options, const Catalogue& catalogue,
                                                const QLocale& locale);

/// Prints the text to `out` (the table as tab-separated rows, the window texts with line feeds)
/// and returns the exit code: 0 done, 2 an unknown place.
int RunInformationCommand(const InformationOptions& options, const Catalogue& catalogue, QTextStream& out,
                          QTextStream& err);

/// The whole command: parses `arguments` (the command and its options), loads the catalogue and
/// prints. Exit code 0 done, 1 the catalogue cannot be loaded, 2 bad arguments or an unknown place
/// (with a message on `err`).
int RunInformationCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);


}  // namespace zenitra
