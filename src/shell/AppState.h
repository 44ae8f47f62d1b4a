#pragma once

#include "storage/DataSource.h"

#include <QString>

#include <memory>

// The process-wide state the shell holds for the whole run: folders, install type, the flags set by a
// restore or retrieve, and the three tables loaded once at start-up. Windows and commands read it; the
// start-up sequence fills it. Tests fill it with their own temporary folders and call reset() after.
class AppState
{
public:
    static AppState& instance();
    // Drops the held tables and clears every field.
    void reset();

    // Program folder and data folder are held with a trailing separator.
    QString programFolder;
    QString settingsPath;
    QString dataPath;
    QString backupPath;
    QString installType = QStringLiteral("Palm");
    QString helpFile;

    bool restoreDone = false;
    bool retrieveDone = false;

    // The full path of a table file in the data folder.
    QString tablePath(TableDef::Id id) const;

    // Held for the whole run by the main window (created by start-up, or by a test).
    std::unique_ptr<DataSource1> recipes;
    std::unique_ptr<DataSourcePrefs2> prefs;
    std::unique_ptr<DataSource8> menu;

    // Reads a shared preference: the PrefsStr1 of the first live record with that key, or missing when the
    // table is not loaded or has no such key. Leaves the preferences table's position at the record found.
    QString preference(const QString& key, const QString& missing = QString()) const;
    // A check-box preference: the number value of the text ("1..." on, anything not starting with a
    // non-zero digit off); off when missing.
    bool preferenceFlag(const QString& key) const;
};
