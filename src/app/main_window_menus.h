#pragma once
// The main window's menus beyond the map's own: "Datei" (print, PDF, picture of the map),
// "Suchen" and "Hilfe".
namespace zenitra {

class Tfhimmel;

/// Adds "Datei" in front of the menu bar, "Suchen" and "Hilfe" at its end.
void AddFileAndHelpMenus(Tfhimmel& window);

}  // namespace zenitra
