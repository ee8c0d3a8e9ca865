#include "app/main_window_menus.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include "app/find_dialog.h"
#include "app/help_dialogs.h"
#include "app/own_places.h"
#include "app/tfhimmel.h"
#include "ui/printing.h"

namespace zenitra {

namespace {

const QString kMapTitle = QStringLiteral("Zenitra – Sternkarte");

// The map as the drawing area shows it now.
QImage CurrentMap(Tfhimmel& window) {
  QImage image(window.PB1->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  window.malen(image);
  return image;
}

PagePainter MapOnPaper(Tfhimmel& window) {
  const QImage paper = PaperPalette(CurrentMap(window));
  return [paper](QPagedPaintDevice& device) { return PaintPicturePage(device, paper); };
}

}  // namespace

void AddFileAndHelpMenus(Tfhimmel& window) {
  QMenuBar* bar = window.menuBar();
  auto* file = new QMenu(QStringLiteral("Dat&ei"), bar);
  bar->insertMenu(bar->actions().isEmpty() ? nullptr : bar->actions().first(), file);
  QAction* print = file->addAction(QStringLiteral("Drucken…"));
  print->setShortcut(QKeySequence::Print);
  QObject::connect(print, &QAction::triggered, &window, [&window] {
    PrintWithDialog(&window, QPageLayout::Landscape, MapOnPaper(window), kMapTitle);
  });
  QAction* pdf = file->addAction(QStringLiteral("Als PDF speichern…"));
  QObject::connect(pdf, &QAction::triggered, &window, [&window] {
    SavePdfWithDialog(&window, QPageLayout::Landscape, MapOnPaper(window), kMapTitle, QStringLiteral("Sternkarte.pdf"));
  });
  QAction* picture = file->addAction(QStringLiteral("Bild speichern…"));
  picture->setShortcut(QKeySequence::Save);
  QObject::connect(picture, &QAction::triggered, &window, [&window] {
    SavePictureWithDialog(&window, CurrentMap(window), QStringLiteral("Sternkarte.png"));
  });

  QMenu* find = bar->addMenu(QStringLiteral("S&uchen"));
  AddFindCommands(window, find);
  // The places the user entered join the list before the stored place is chosen.
  for (const QString& record : ReadOwnPlaces(OwnPlacesPath(window.SettingsPath()))) (void)window.AddPlace(record);
  QObject::connect(find->addAction(QStringLiteral("Eigener Ort…")), &QAction::triggered, &window,
                   [&window] { EnterOwnPlace(window); });
  AddHelpMenu(window, *bar);
}

}  // namespace zenitra
