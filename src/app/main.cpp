// Zenitra: start-up. With no arguments: sets the application title, loads the catalogue, opens the
// main window and runs the message loop until it is closed. "zenitra render ..." draws the sky map
// into a PNG or PDF without a window, "zenitra calendar|moon-calendar ..." write the calendars, "zenitra star NAME" prints a star's information, "zenitra
// sun|moon|ephemeris|planet ..." print the texts of the information windows; "zenitra --help"
// describes them all, "zenitra --version" prints the version.
#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "core/time_scales.h"
#include "ui/catalogue.h"
#include "app/export_commands.h"
#include "app/render_command.h"
#include "app/tfhimmel.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "app/info_commands.h"
#include "zenitra_version.h"

namespace {

// Qt's start-up looks for a Flatpak marker in the per-user runtime folder. Where no desktop
// session runs (ssh, cron, containers) XDG_RUNTIME_DIR is unset, and Qt then prints
// "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-USER'" and uses that
// folder, which it creates with mode 0700 and checks for owner and mode itself. That notice says
// nothing the user must act on, so the program drops exactly it; every other message, including
// Qt's complaints about a runtime folder with a wrong owner or mode, still reaches stderr.
// (Inventing an XDG_RUNTIME_DIR instead would hand a folder without a session's lifetime to every
// later reader of the variable; and the lookup cannot be avoided, as it runs inside QApplication.)
QtMessageHandler previousMessageHandler = nullptr;

void DropRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (previousMessageHandler) previousMessageHandler(type, context, message);
}

int RunWindow(int argc, char** argv) {
  zenitra::StartReadingFontConfiguration();
  zenitra::Application app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zenitra"));
  QApplication::setApplicationVersion(QString::fromLatin1(zenitra::kZenitraVersion));
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
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("Zenitra %s\n", zenitra::kZenitraVersion);
    return 0;
  }
  // Headless: the commands only draw into images, so they never need a display. The offscreen
  // platform also keeps the fonts' rendering independent of a desktop's settings, so a picture
  // drawn over ssh equals one drawn on the desktop.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  zenitra::Application app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zenitra"));
  QApplication::setApplicationVersion(QString::fromLatin1(zenitra::kZenitraVersion));
  QTextStream out(stdout);
  QTextStream err(stderr);
  const QStringList args = QCoreApplication::arguments().mid(1);
  // Qt takes its own options ("-platform offscreen") out of the list; nothing may be left.
  if (args.isEmpty()) {
    err << QStringLiteral("Es fehlt ein Befehl. Hilfe: zenitra --help\n");
    return 2;
  }
  if (args.first() == QStringLiteral("--help") || args.first() == QStringLiteral("-h")) {
    out << zenitra::CommandLineHelp() << zenitra::ExportCommandsHelp() << zenitra::InformationCommandsHelp();
    return 0;
  }
  if (zenitra::IsExportCommand(args.first())) return zenitra::RunExportCommand(args, out, err);
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
  previousMessageHandler = qInstallMessageHandler(DropRuntimeFolderNotice);
  if (argc <= 1) return RunWindow(argc, argv);
  return RunCommandLine(argc, argv);
}
