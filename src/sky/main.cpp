// Zenitra: start-up. With no arguments: sets the application title, loads the catalogue, opens the
// main window and runs the message loop until it is closed. "zenitra render ..." draws the sky map
// into a PNG without a window, "zenitra star NAME" prints a star's information, "zenitra
// sun|moon|ephemeris|planet ..." print the texts of the information windows; "zenitra --help"
// describes them all.
#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>

#include "core/time_scales.h"
#include "sky/catalogue.h"
#include "sky/render_command.h"
#include "sky/tfhimmel.h"
#include "sky/vector_state.h"
#include "windows/info_commands.h"

namespace {

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zenitra"));
  zenitra::ClearUpperVectorState();  // starting Qt leaves the AVX upper halves dirty
  (void)zenitra::Startup();
  zenitra::Catalogue catalogue;
  try {
    catalogue = zenitra::LoadCatalogue();
  } catch (const zenitra::CatalogueError& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Zenitra"), e.Message());
    return 1;
  }
  zenitra::Tfhimmel window(std::move(catalogue));
  window.show();
  return QApplication::exec();
}

int RunCommandLine(int argc, char** argv) {
  // Headless: no display is needed for drawing into an image.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zenitra"));
  zenitra::ClearUpperVectorState();  // starting Qt leaves the AVX upper halves dirty
  QTextStream out(stdout);
  QTextStream err(stderr);
  const QStringList args = QCoreApplication::arguments().mid(1);
  // Qt takes its own options ("-platform offscreen") out of the list; nothing may be left.
  if (args.isEmpty()) {
    err << QStringLiteral("Es fehlt ein Befehl. Hilfe: zenitra --help\n");
    return 2;
  }
  if (args.first() == QStringLiteral("--help") || args.first() == QStringLiteral("-h")) {
    out << zenitra::CommandLineHelp() << zenitra::InformationCommandsHelp();
    return 0;
  }
  if (zenitra::IsInformationCommand(args.first())) return zenitra::RunInformationCommandLine(args, out, err);
  if (args.first() == QStringLiteral("star")) {
    try {
      const zenitra::Catalogue catalogue = zenitra::LoadCatalogue();
      return zenitra::RunStar(args.mid(1), catalogue, zenitra::LoadCatalogueLines(QStringLiteral("STAR6")), out, err);
    } catch (const zenitra::CatalogueError& e) {
      err << e.Message() << '\n';
      return 1;
    }
  }
  if (args.first() != QStringLiteral("render")) {
    err << QStringLiteral("Unbekannter Befehl \"%1\". Hilfe: zenitra --help\n").arg(args.first());
    return 2;
  }
  const auto parsed = zenitra::ParseRenderArguments(args.mid(1));
  if (const QString* error = std::get_if<QString>(&parsed)) {
    err << *error << QStringLiteral("\nHilfe: zenitra --help\n");
    return 2;
  }
  (void)zenitra::Startup();
  zenitra::Catalogue catalogue;
  try {
    catalogue = zenitra::LoadCatalogue();
  } catch (const zenitra::CatalogueError& e) {
    err << e.Message() << '\n';
    return 1;
  }
  return zenitra::RunRender(std::get<zenitra::RenderOptions>(parsed), catalogue, out, err);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc <= 1) return RunWindow(argc, argv);
  return RunCommandLine(argc, argv);
}
