#pragma once

#include <QString>

// Where the program's own files are, for a copy run from its build folder or a portable folder (everything
// beside the program) and for an installed copy (program in bin/, shared files in share/zestora-plus/,
// settings and data in the user's folders).
namespace InstallLayout {

// The settings file's name.
inline const QString SettingsFileName = QStringLiteral("zestoraplus.ini");
// The help file's name.
inline const QString HelpFileName = QStringLiteral("zestoraplus-help.html");

// The shared files folder of an installed program whose executable is in programFolder (a trailing separator
// on both).
QString sharedFolder(const QString& programFolder);

// True when programFolder is the bin folder of an installed program: its shared files folder exists.
bool isInstalled(const QString& programFolder);

// The settings file of the program in programFolder: beside the program when the file is already there, or
// when the folder may be written to and is not an installed program's; otherwise zestoraplus.ini in the
// user's configuration folder (Platform::userFolder). The one place that decides where settings live.
QString settingsFilePath(const QString& programFolder);

// True when settingsPath is the file beside the program in programFolder.
bool settingsBesideProgram(const QString& programFolder, const QString& settingsPath);

// The help file: beside the program when it is there, otherwise in the shared files folder of an installed
// program; beside the program when neither exists.
QString helpFilePath(const QString& programFolder);

// The folder that holds the program's own files (the default backup folder) with a trailing separator: the
// program folder when the settings live beside it, otherwise the user's data folder.
QString ownFilesFolder(const QString& programFolder, const QString& settingsPath);

} // namespace InstallLayout
