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

bool SaveDBs(AppState& state, QStringList* unsaved)
{
    bool ok = true;
    for (const DataSource* table :
         { static_cast<const DataSource*>(state.recipes.get()), static_cast<const DataSource*>(state.prefs.get()),
           static_cast<const DataSource*>(state.menu.get()) }) {
        if (!table || table->save())
            continue;
        ok = false;
        if (unsaved)
            *unsaved << table->definition().fileName;
    }
    return ok;
}
