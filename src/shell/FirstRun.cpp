#include "shell/FirstRun.h"

#include "base/Platform.h"
#include "demo/DemoData.h"
#include "shell/AppState.h"
#include "shell/InstallLayout.h"
#include "shell/Settings.h"
#include "storage/DataFolder.h"
#include "storage/DataSource.h"
#include "storage/TableCatalogue.h"

#include <QDir>
#include <QFileInfo>

bool FirstRun::needed(const AppState& state)
{
    return state.dataPath.isEmpty() && !InstallLayout::settingsBesideProgram(state.programFolder, state.settingsPath);
}

FirstRunChoice FirstRun::proposal()
{
    FirstRunChoice choice;
    choice.dataFolder
        = QDir::cleanPath(Platform::userFolder(UserFolder::Data) + QStringLiteral("/Cookbook")) + QLatin1Char('/');
    return choice;
}

std::optional<QString> FirstRun::apply(const FirstRunChoice& choice, const QString& settingsPath)
{
    const QString trimmed = choice.dataFolder.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("No data folder was given.");
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(trimmed)) + QLatin1Char('/');
    if (!QDir::isAbsolutePath(folder))
        return QStringLiteral("The data folder must be a full path: ") + trimmed;

    int present = 0;
    for (const TableDef& def : TableCatalogue::all())
        present += QFileInfo::exists(DataSource::tablePath(folder, def.id)) ? 1 : 0;
    const int all = int(TableCatalogue::all().size());
    if (present > 0 && present < all)
        return QStringLiteral("The folder %1 holds %2 of the %3 table files. Choose a folder that holds a whole "
                              "cookbook, or an empty one.")
            .arg(QDir::toNativeSeparators(folder))
            .arg(present)
            .arg(all);
    if (present == 0) {
        const auto error = choice.demo ? DemoData::create(folder) : DataFolder::initEmpty(folder);
        if (error)
            return error->description();
    }

    if (!QDir().mkpath(QFileInfo(settingsPath).absolutePath()))
        return QStringLiteral("Cannot create the settings folder ") + QFileInfo(settingsPath).absolutePath();
    const QString installType
        = choice.installType == QLatin1String("PPC") ? choice.installType : QStringLiteral("Palm");
    if (const auto error
        = Settings::write(settingsPath, QStringLiteral("Main"), QStringLiteral("InstallType"), installType))
        return *error;
    if (const auto error = Settings::write(settingsPath, QStringLiteral("Main"), QStringLiteral("DataPath"), folder))
        return *error;
    return std::nullopt;
}
