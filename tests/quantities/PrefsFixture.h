#pragma once

#include "TestData.h"
#include "shell/AppState.h"

#include <QHash>

// Loads an empty preferences table from a temporary data folder into AppState, fills it with the given
// preferences and drops it again on destruction.
class PrefsFixture
{
public:
    explicit PrefsFixture(const QHash<QString, QString>& preferences = {})
    {
        AppState::instance().prefs = std::make_unique<DataSourcePrefs2>(m_folder.file(TableDef::Preferences));
        for (auto it = preferences.cbegin(); it != preferences.cend(); ++it)
            set(it.key(), it.value());
    }
    ~PrefsFixture() { AppState::instance().reset(); }

    void set(const QString& key, const QString& value)
    {
        Recordset& rs = AppState::instance().prefs->recordset();
        rs.addNew();
        const QStringList fields { "REC_ID", "STATUS", "PrefsKey", "PrefsStr1" };
        const QStringList values { "0x00000000", "0x0008", key, value };
        for (int i = 0; i < fields.size(); ++i)
            rs.setValue(fields.at(i), values.at(i));
        rs.update();
    }

private:
    TestData::DataFolderFixture m_folder;
};
