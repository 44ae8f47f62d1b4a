#include "shell/Startup.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "shell/AppState.h"
#include "shell/InstallLayout.h"
#include "shell/Preferences.h"
#include "shell/Settings.h"
#include "storage/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString Startup::withTrailingSeparator(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

void Startup::readSettings(AppState& state, const QString& programFolder)
{
    state.restoreDone = false;
    state.retrieveDone = false;
    state.programFolder = withTrailingSeparator(programFolder);
    state.settingsPath = InstallLayout::settingsFilePath(state.programFolder);
    if (!InstallLayout::settingsBesideProgram(state.programFolder, state.settingsPath))
        QDir().mkpath(QFileInfo(state.settingsPath).absolutePath()); // so the first setting written has a home
    state.installType = ReadSetting(QStringLiteral("Main"), QStringLiteral("InstallType"), QStringLiteral("Palm"));
    state.backupPath = ReadSetting(QStringLiteral("Main"), QStringLiteral("BackupPath"),
                                   InstallLayout::ownFilesFolder(state.programFolder, state.settingsPath)
                                       + QStringLiteral("Backup/"));
    state.dataPath = ReadSetting(QStringLiteral("Main"), QStringLiteral("DataPath"), QString());
    state.helpFile = InstallLayout::helpFilePath(state.programFolder);
}

QString Startup::userPathFromCopyLog(const QString& logText)
{
    const QStringList lines = logText.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.left(10) == QLatin1String("UserPath: "))
            return line.mid(10);
    }
    return QString();
}

namespace {

void appendToInstallLog(const QString& path, const QString& line)
{
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the installer's log is a courtesy note; the data folder is found either way
    log.write(Cp1252::encode(line + CRLF));
}

void initialisationError(const QString& text)
{
    Dialogs::message(QStringLiteral("InitializatiOn Error"), text, MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace

bool Startup::LocateDataFolder(AppState& state)
{
    if (state.installType == QLatin1String("Palm")) {
        const QString copyLog = state.programFolder + QStringLiteral("CASLcopy.log");
        QString userPath;
        if (FileExists(copyLog)) {
            QFile file(copyLog);
            if (file.open(QIODevice::ReadOnly))
                userPath = userPathFromCopyLog(Cp1252::decode(file.readAll()));
        }
        if (!userPath.isEmpty() && userPath != state.dataPath) {
            const QString oldPath = state.dataPath;
            state.dataPath = userPath;
            WriteSetting(QStringLiteral("Main"), QStringLiteral("DataPath"), userPath);
            WriteSetting(QStringLiteral("Main"), QStringLiteral("OldDataPath"), oldPath);
            const QString installLog = state.programFolder + QStringLiteral("install.log");
            if (FileExists(installLog))
                appendToInstallLog(installLog, QStringLiteral("File Tree: ") + userPath + QStringLiteral("*.*"));
        }
    }
    const QString advice = CRLF + CRLF + QStringLiteral("Run the full installer again.") + CRLF + CRLF
        + QStringLiteral("Contact technical support if the problem persists.");
    if (state.dataPath.isEmpty()) {
        initialisationError(QStringLiteral("Unable to locate handheld database directory.") + advice);
        return false;
    }
    // Held with a trailing separator, as every table path is built by appending a file name.
    state.dataPath = withTrailingSeparator(state.dataPath);
    return true;
}

void Startup::loadHeldTables(AppState& state)
{
    state.recipes = std::make_unique<DataSource1>(state.tablePath(TableDef::Recipes));
    state.recipes->recordset().setFilter(RecordStatus::LiveFilter);

    const QString prefsPath = state.tablePath(TableDef::Preferences);
    CleanPreferenceFile(prefsPath);
    state.prefs = std::make_unique<DataSourcePrefs2>(prefsPath);
    state.menu = std::make_unique<DataSource8>(state.tablePath(TableDef::MenuPlanner));

    state.prefs->recordset().setFilter(RecordStatus::LiveFilter);
    state.prefs->recordset().setSort(QStringLiteral("PrefsKey ASC"));
    state.menu->recordset().setFilter(RecordStatus::LiveFilter);
    state.menu->recordset().setSort(QStringLiteral("MenuKey ASC"));
}
