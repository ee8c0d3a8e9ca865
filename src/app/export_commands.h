#pragma once
// The headless commands "zenitra calendar" (the year calendar as text, CSV or iCalendar) and
// "zenitra moon-calendar" (a month's moon phase calendar as PNG or as an A4 PDF page). They use
// the very functions of the windows' "Exportieren…" and "Als PDF speichern…".
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

#include "calendar_windows/calendar_paper_window.h"
#include "core/shared_types.h"

namespace zenitra {

/// The help lines of both commands for "zenitra --help".
[[nodiscard]] QString ExportCommandsHelp();

[[nodiscard]] bool IsExportCommand(const QString& command);

/// Runs "calendar ..." or "moon-calendar ..." (the command is the first argument). Returns 0,
/// 1 when a file cannot be written or the catalogue is damaged, 2 for bad arguments; messages in
/// German on `err`.
int RunExportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

/// The place of the place list whose name is `name`, letter case ignored.
[[nodiscard]] std::optional<Location> FindListedPlace(const QStringList& placeNames, const QStringList& placeRecords,
                                                      const QString& name);

}  // namespace zenitra
