#pragma once
// The headless command "zenitra render": draws exactly what the main window's drawing draws into a
// PNG file, for a place, a local clock time, a view direction, a size and any display settings.
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>
#include <variant>

#include "ui/catalogue.h"
#include "app/settings.h"
#include "ui/sky_state.h"

namespace zenitra {

struct RenderOptions {
  std::optional<QString> Place;        ///< --place NAME (whole text, letter case ignored)
  std::optional<ShownMoment> At;       ///< --at: local clock time of the place; default now
  std::optional<int> Azimuth;          ///< --azimuth DEG, -180..180
  int Width = 1054;                    ///< --size WxH
  int Height = 664;
  SettingsValues Settings;             ///< --set KEY=VALUE, from the defaults of a first start
  bool PrintRegisters = false;         ///< --registers
  QString Output;                      ///< -o FILE.png, or FILE.pdf for an A4 page on paper
};

/// The text of "zenitra --help".
[[nodiscard]] QString CommandLineHelp();

/// Parses the arguments after "render". Returns the options or a German error message.
[[nodiscard]] std::variant<RenderOptions, QString> ParseRenderArguments(const QStringList& arguments);

/// Draws the map and writes the PNG; prints the registers to `out` when asked. Returns the exit
/// code: 0 done, 1 catalogue or file error (message on `err`), 2 an unknown place.
int RunRender(const RenderOptions& options, const Catalogue& catalogue, QTextStream& out, QTextStream& err);

/// "zenitra star NAME": prints the star information text of the star whose STAR3 name is exactly
/// NAME, one line per text line (the box's line feed and carriage return become a line feed).
/// `star6Lines` are the star information records. Returns 0, or 2 with a German message on `err`
/// when the arguments are not one name or no star has that name.
int RunStar(const QStringList& arguments, const Catalogue& catalogue, const QStringList& star6Lines,
            QTextStream& out, QTextStream& err);

}  // namespace zenitra
