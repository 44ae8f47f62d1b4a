#pragma once

#include <QString>
#include <QStringList>

class AppState;

namespace Shutdown {
// Files shorter than this are left-overs of a failed copy and are deleted at exit.
constexpr qint64 TinyTableBytes = 50;

// Deletes every one of the thirteen table files of dataFolder that exists and is shorter than 50 bytes.
// Returns the paths deleted.
QStringList RemoveTinyTableFiles(const QString& dataFolder);
} // namespace Shutdown

// Writes the held tables: the recipe table, then the preferences (SavePreferences), then the menu planner.
// Each is written whole through a temporary file; a failure is reported through ShowError and the others are
// still written. Returns true when every held table was written; otherwise the file names of the tables that
// were not written are appended to unsaved, when given.
bool SaveDBs(AppState& state, QStringList* unsaved = nullptr);
