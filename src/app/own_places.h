#pragma once
// Places the user enters: name, latitude, longitude, zone and, if known, the IANA zone. They are
// kept as place-list records in "eigene_orte.txt" beside the settings file and join the place list
// at every start.
#include <QString>
#include <QStringList>

#include "core/shared_types.h"

class QWidget;

namespace zenitra {

class Tfhimmel;

/// The texts of the fields of "Eigener Ort".
struct OwnPlaceInput {
  QString Name;
  QString Latitude;   ///< degrees, north positive; decimal point or comma
  QString Longitude;  ///< degrees, east positive
  QString Zone;       ///< hours of standard time east of Greenwich, e.g. "1" or "-4,5"
  QString ZoneId;     ///< IANA zone name such as "Europe/Berlin"; may stay empty
};

/// The place-list record (name, latitude, longitude, zone and the optional zone name, separated
/// by TABs) of valid input, or a German message naming the first bad field. `existingNames` are
/// the names already in the list; a name may not repeat one of them (letter case ignored).
struct OwnPlaceResult {
  QString Record;  ///< empty when Error is set
  QString Error;
};
[[nodiscard]] OwnPlaceResult OwnPlaceRecord(const OwnPlaceInput& input, const QStringList& existingNames);

/// The file of the own places in the settings folder of `settingsFilePath`.
[[nodiscard]] QString OwnPlacesPath(const QString& settingsFilePath);
/// The records stored in the file; none when it is missing. Lines that are no valid record are
/// skipped.
[[nodiscard]] QStringList ReadOwnPlaces(const QString& fileName);
/// Appends a record to the file. Returns an empty string, or a German message.
[[nodiscard]] QString AppendOwnPlace(const QString& fileName, const QString& record);

/// "Eigener Ort…": asks for the fields until they are valid or the user cancels, stores the place
/// and chooses it in the main window.
void EnterOwnPlace(Tfhimmel& window);

}  // namespace zenitra
