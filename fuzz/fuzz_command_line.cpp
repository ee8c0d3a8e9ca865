// Fuzz target: the command-line parsers of "render" and of "sun|moon|ephemeris|planet". The bytes
// are the arguments, separated by NUL bytes, as UTF-8. Every argument list gives options or a
// message; a missing value never takes the next option as its value.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/render_command.h"
#include "app/info_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenitra;
  QStringList args;
  for (const QByteArray& part : QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0')) {
    args << QString::fromUtf8(part);
  }
  const auto render = ParseRenderArguments(args);
  if (const RenderOptions* o = std::get_if<RenderOptions>(&render)) {
    if (o->Output.isEmpty() || o->Width < 64 || o->Height < 64 || o->Width > 8192 || o->Height > 8192) std::abort();
  }
  const auto information = ParseInformationArguments(args);
  if (const QString* error = std::get_if<QString>(&information)) {
    // "-o -" is added inside; the user never typed it, so no message may name it (unless an
    // argument of the user's own holds "-o", such as a command typed as "\"-o").
    const bool typed = std::any_of(args.begin(), args.end(), [](const QString& a) { return a.contains(QStringLiteral("-o")); });
    if (error->contains(QStringLiteral("\"-o\"")) && !typed) {
      std::fprintf(stderr, "message names -o: %s\n", error->toUtf8().constData());
      std::abort();
    }
  } else if (!IsInformationCommand(std::get<InformationOptions>(information).Command)) {
    std::abort();
  }
  return 0;
}
