#include "shell/Shutdown.h"

#include "shell/AppState.h"
#include "shell/Preferences.h"

#include <QFile>
#include <QFileInfo>

QStringList Shutdown::RemoveTinyTableFiles(const QString& dataFolder)
{
    QStringList removed;
    if (dataFolder.isEmpty())
        return removed;
    for (const TableDef& def : TableCatalogue::all()) {
        const QString path = DataSource::tablePath(dataFolder, def.id);
        const QFileInfo info(path);
        if (info.isFile() && info.size() < TinyTableBytes && QFile::remove(path))
            removed << path;
    }
    return removed;
}

bool SaveDBs(AppState& state)
{
    bool ok = true;
    if (state.recipes)
        ok = state.recipes->save() && ok;
    if (state.prefs)
        ok = state.prefs->save() && ok;
    if (state.menu)
        ok = state.menu->save() && ok;
    return ok;
}
