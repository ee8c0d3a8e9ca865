#include "app/help_dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "zenitra_version.h"

namespace zenitra {

namespace {

// A caption without the mnemonic ampersand and the ellipsis of a dialog entry.
QString PlainCaption(QString caption) {
  caption.remove(QLatin1Char('&'));
  if (caption.endsWith(QStringLiteral("…"))) caption.chop(1);
  return caption.trimmed();
}

}  // namespace

QString AboutText() {
  return QStringLiteral(
             "<h3>Zenitra %1</h3>"
             "<p>Der Sternhimmel über einem Ort zu einer Zeit: Himmelskarte, Sonne, Mond und Planeten, "
             "Kalender.</p>"
             "<p><b>Lizenz:</b> GNU General Public License, Version 3 oder später (GPL-3.0-or-later). "
             "Zenitra kommt ohne jede Gewährleistung.</p>"
             "<p><b>Datenquellen und ihre Lizenzen:</b></p>"
             "<ul>"
             "<li>Sterne, Sternbildlinien, -grenzen und -namen: d3-celestial 0.7.35 (BSD-3-Clause, "
             "© 2015 Olaf Frohn), nach dem Hipparcos-Katalog (ESA 1997) und Delporte (1930)</li>"
             "<li>Spektralklassen, Parallaxen, HR/HD-Nummern und Texturen der Bilder von Sonne, Mond und "
             "Planeten: stellarium-data 0.22.2 (GPL-2+, © 2002–2014 Fabien Chéreau u. a.)</li>"
             "<li>Orte: city-timezones 1.3.4 (MIT, © Kevin Roberts); Zeitzonen aus der IANA-Zeitzonendatenbank "
             "(gemeinfrei)</li>"
             "<li>Küstenlinien: world-atlas 2.0.2 (ISC, © 2013–2019 Michael Bostock) nach Natural Earth "
             "(gemeinfrei)</li>"
             "<li>Erdbahn: VSOP87D (P. Bretagnon, G. Francou, 1988), Zahlen aus astronomia 4.2.0 "
             "(MIT, © 2013 Sonia Keys, © 2016 Commenthol)</li>"
             "<li>Formeln: J. Meeus, Astronomical Algorithms, 2. Auflage</li>"
             "</ul>")
      .arg(QString::fromLatin1(kZenitraVersion));
}

QString ShortcutsText(const QWidget& window) {
  QMap<QString, QString> rows;  // caption -> keys, sorted by caption
  for (const QAction* action : window.findChildren<QAction*>()) {
    if (action->shortcut().isEmpty() || action->text().isEmpty()) continue;
    rows.insert(PlainCaption(action->text()), action->shortcut().toString(QKeySequence::NativeText));
  }
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (button->shortcut().isEmpty()) continue;
    const QString caption = button->toolTip().isEmpty() ? button->text() : button->toolTip();
    rows.insert(PlainCaption(caption), button->shortcut().toString(QKeySequence::NativeText));
  }
  QString html = QStringLiteral("<table cellspacing=\"4\">");
  for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
    html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(it.value().toHtmlEscaped(), it.key().toHtmlEscaped());
  }
  return html + QStringLiteral("</table>");
}

void AddHelpMenu(QWidget& window, QMenuBar& bar) {
  QMenu* help = bar.addMenu(QStringLiteral("&Hilfe"));
  QAction* about = help->addAction(QStringLiteral("Über Zenitra"));
  QObject::connect(about, &QAction::triggered, &window,
                   [&window] { QMessageBox::about(&window, QStringLiteral("Über Zenitra"), AboutText()); });
  QAction* keys = help->addAction(QStringLiteral("Tastenkürzel"));
  keys->setShortcut(QKeySequence::HelpContents);
  QObject::connect(keys, &QAction::triggered, &window, [&window] {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tastenkürzel"), ShortcutsText(window), QMessageBox::Ok,
                    &window);
    box.setTextFormat(Qt::RichText);
    box.exec();
  });
}

}  // namespace zenitra
