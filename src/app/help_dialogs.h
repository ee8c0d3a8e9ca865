#pragma once
// The menu "Hilfe": "Über Zenitra" (version, licence, data sources and their licences) and
// "Tastenkürzel" (every shortcut of the main window's menus and buttons).
#include <QString>

class QMenuBar;
class QWidget;

namespace zenitra {

/// The text of "Über Zenitra" (HTML).
[[nodiscard]] QString AboutText();

/// The shortcuts of every action and button of `window`, one table row each, sorted by their
/// caption (HTML).
[[nodiscard]] QString ShortcutsText(const QWidget& window);

/// Appends "Hilfe" with both entries to `bar`; the dialogs open over `window`.
void AddHelpMenu(QWidget& window, QMenuBar& bar);

}  // namespace zenitra
