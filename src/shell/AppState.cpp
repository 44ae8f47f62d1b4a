#include "shell/AppState.h"

AppState& AppState::instance()
{
    static AppState state;
    return state;
}

void AppState::reset()
{
    recipes.reset();
    prefs.reset();
    menu.reset();
    programFolder.clear();
    settingsPath.clear();
    dataPath.clear();
    backupPath.clear();
    installType = QStringLiteral("Palm");
    helpFile.clear();
    restoreDone = false;
    retrieveDone = false;
}

QString AppState::tablePath(TableDef::Id id) const
{
    return DataSource::tablePath(dataPath, id);
}

QString AppState::preference(const QString& key, const QString& missing) const
{
    if (!prefs)
        return missing;
    Recordset& rs = prefs->recordset();
    if (rs.recordCount() == 0)
        return missing;
    rs.moveFirst();
    if (!rs.find(QStringLiteral("PrefsKey = '") + QString(key).replace(QLatin1Char('\''), QLatin1String("''"))
                 + QStringLiteral("'")))
        return missing;
    return rs.value(QStringLiteral("PrefsStr1"));
}

bool AppState::preferenceFlag(const QString& key) const
{
    const QString text = preference(key).trimmed();
    int i = 0;
    while (i < text.size() && text.at(i).isDigit())
        ++i;
    return i > 0 && text.left(i).toLongLong() != 0;
}
