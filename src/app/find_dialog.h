#pragma once
// "Suchen…" and "Ort suchen": a name typed with completion, then the map turned to the object and
// the object marked, or the place chosen.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace zenitra {

class Tfhimmel;

/// A modal question for a name with type-ahead completion: `complete` gives the names offered
/// for the typed text. Returns the accepted text, or nothing when cancelled.
[[nodiscard]] std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& label,
                                             const std::function<QStringList(const QString&)>& complete);

/// Finds the object named `typed`, turns the map so it stands in the middle and marks it.
/// Returns the message for the user: empty when the object stands above the horizon, else when
/// it rises, or that no object has the name.
[[nodiscard]] QString FindInMap(Tfhimmel& window, const QString& typed);

/// The places of the list whose names match `typed` as the find does (letter case and umlauts
/// ignored), beginning with it.
[[nodiscard]] QStringList PlaceCompletions(const QStringList& placeNames, const QString& typed, int limit = 50);

/// Chooses the place named `typed` in the main window's place list. Returns a message when no
/// place or more than one has that name, else an empty string.
[[nodiscard]] QString FindPlace(Tfhimmel& window, const QString& typed);

/// Adds "Suchen…" (Ctrl+F) and "Ort suchen" to `menu`, and the mark of the found object to the
/// window's drawing.
void AddFindCommands(Tfhimmel& window, QMenu* menu);

}  // namespace zenitra
