#pragma once

#include <QString>

class AppState;

// The data-finding steps of the program's start-up, free of any window.
namespace Startup {

// The name the single-instance lock is taken under.
inline const QString InstanceKey = QStringLiteral("zestoraplus");

// folder with a trailing separator ("/" added unless it already ends in "/" or "\").
QString withTrailingSeparator(const QString& folder);

// Fills the folders and settings of state from programFolder and its settings file: program folder, settings
// path (InstallLayout::settingsFilePath), InstallType (default "Palm"), BackupPath (default "Backup/" in the
// program folder, or in the user's data folder when the settings live in the user's folders), DataPath
// (default empty), and the help file path. Clears RestoreDone and RetrieveDone.
void readSettings(AppState& state, const QString& programFolder);

// Finds the data folder. For install type "Palm", a "UserPath: " line of the conduit's copy log in the program
// folder that names another folder replaces DataPath (written to the settings file with the old one as
// OldDataPath, and noted in the installer's log). Returns false, after showing "InitializatiOn Error", when
// no data folder is known; the program must then end. A known folder that does not exist is not checked
// here: the recipe loader then fails with its own message naming the file. On success DataPath is held with
// a trailing separator (the settings file keeps the value as written).
bool LocateDataFolder(AppState& state);

// The conduit's user folder from a copy log's text: what follows "UserPath: " on the first line that starts
// with it; empty when there is none.
QString userPathFromCopyLog(const QString& logText);

// Loads the recipe table, cleans and loads the preferences table, and loads the menu planner table into state,
// preferences and menu planner filtered to live records and sorted by their keys. Throws TableLoadError for a
// table that cannot be loaded.
void loadHeldTables(AppState& state);

} // namespace Startup
