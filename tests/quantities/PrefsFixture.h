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
        rs.setValue(QStringLiteral("REC_ID"), QStringLiteral("0x00000000"));
        rs.setValue(QStringLiteral("STATUS"), QStringLiteral("0x0008"));
        rs.setValue(QStringLiteral("PrefsKey"), key);
        rs.setValue(QStringLiteral("PrefsStr1"), value);
        rs.update();
    }

private:
    TestData::DataFolderFixture m_folder;
};
