#include "shell/InstallLayout.h"

#include "base/Platform.h"

#include <QDir>
#include <QFileInfo>

#ifndef ZESTORA_SHARED_FROM_BIN
#define ZESTORA_SHARED_FROM_BIN "../share/zestora-plus"
#endif

namespace {
QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
} // namespace

QString InstallLayout::sharedFolder(const QString& programFolder)
{
    return withSeparator(QDir::cleanPath(programFolder + QStringLiteral(ZESTORA_SHARED_FROM_BIN)));
}

bool InstallLayout::isInstalled(const QString& programFolder)
{
    return QFileInfo(sharedFolder(programFolder)).isDir();
}

QString InstallLayout::settingsFilePath(const QString& programFolder)
{
    const QString beside = programFolder + SettingsFileName;
    if (QFileInfo::exists(beside))
        return beside;
    // An installed program's folder is writable to root, but its settings are each user's own.
    if (Platform::canWriteIn(programFolder) && !isInstalled(programFolder))
        return beside;
    return withSeparator(Platform::userFolder(UserFolder::Config)) + SettingsFileName;
}

bool InstallLayout::settingsBesideProgram(const QString& programFolder, const QString& settingsPath)
{
    return settingsPath == programFolder + SettingsFileName;
}

QString InstallLayout::helpFilePath(const QString& programFolder)
{
    const QString beside = programFolder + HelpFileName;
    const QString shared = sharedFolder(programFolder) + HelpFileName;
    return !QFileInfo::exists(beside) && QFileInfo::exists(shared) ? shared : beside;
}

QString InstallLayout::ownFilesFolder(const QString& programFolder, const QString& settingsPath)
{
    return settingsBesideProgram(programFolder, settingsPath) ? programFolder
                                                              : withSeparator(Platform::userFolder(UserFolder::Data));
}
