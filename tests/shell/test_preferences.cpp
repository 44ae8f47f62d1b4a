#include "TestData.h"
#include "shell/AppState.h"
#include "shell/Preferences.h"

#include <QtTest>

namespace {
const QByteArray kHeader = "#RECCNT:3\r\n#FLDCNT:2\r\n";

QByteArray prefsFile(const QList<QByteArray>& records)
{
    return kHeader + TestData::crlfLines(records);
}
} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void setPreference_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("oldValue");
        QTest::addColumn<QString>("newValue");
        QTest::addColumn<QString>("expectedStatus");
        QTest::addColumn<QString>("expectedValue");
        QTest::addColumn<int>("expectedRecords");
        QTest::newRow("unchanged value touches nothing") << "scaling"
                                                         << "fraction"
                                                         << "fraction"
                                                         << "0x0000"
                                                         << "fraction" << 3;
        QTest::newRow("synced record becomes changed") << "scaling"
                                                       << "fraction"
                                                       << "decimal"
                                                       << "0x0004"
                                                       << "decimal" << 3;
        QTest::newRow("new record stays new") << "serves"
                                              << "4"
                                              << "6"
                                              << "0x0008"
                                              << "6" << 3;
        QTest::newRow("changed record stays changed") << "abbrev_ingr"
                                                      << "0"
                                                      << "1"
                                                      << "0x0004"
                                                      << "1" << 3;
        QTest::newRow("missing key gets a new record") << "confirm_1SL"
                                                       << "0"
                                                       << "1"
                                                       << "0x0008"
                                                       << "1" << 4;
        QTest::newRow("letter case of the key does not matter") << "SCALING"
                                                                << "fraction"
                                                                << "decimal"
                                                                << "0x0004"
                                                                << "decimal" << 3;
    }
    void setPreference()
    {
        QFETCH(QString, key);
        QFETCH(QString, oldValue);
        QFETCH(QString, newValue);
        QFETCH(QString, expectedStatus);
        QFETCH(QString, expectedValue);
        QFETCH(int, expectedRecords);
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Preferences,
                        prefsFile({ "0x00000011,0x0000,\"scaling\",\"fraction\"", "0x00000000,0x0008,\"serves\",\"4\"",
                                    "0x00000012,0x0004,\"abbrev_ingr\",\"0\"" }));
        DataSourcePrefs2 prefs(data.file(TableDef::Preferences));
        Recordset& rs = prefs.recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(QStringLiteral("PrefsKey ASC"));
        SetPreference(rs, key, oldValue, newValue);
        QCOMPARE(rs.totalRecordCount(), expectedRecords);
        rs.moveFirst();
        QVERIFY(rs.find(QStringLiteral("PrefsKey like '%1'").arg(key)));
        QCOMPARE(rs.value(QStringLiteral("STATUS")), expectedStatus);
        QCOMPARE(rs.value(QStringLiteral("PrefsStr1")), expectedValue);
        if (expectedRecords == 4)
            QCOMPARE(rs.value(QStringLiteral("REC_ID")), RecordStatus::NewId);
    }

    void savedThroughTheHeldTable()
    {
        TestData::DataFolderFixture data;
        AppState& state = AppState::instance();
        state.dataPath = data.path() + QLatin1Char('/');
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        SetPreference(QStringLiteral("equivalents"), QString(), QStringLiteral("1 cup = 16 tbsp\\n1 tbsp = 3 tsp"));
        QVERIFY(SavePreferences());
        const QByteArray bytes = data.readBytes(TableDef::Preferences);
        QVERIFY2(bytes.contains("0x00000000,0x0008,\"equivalents\",\"1 cup = 16 tbsp\\n1 tbsp = 3 tsp\"\r\n"),
                 bytes.constData());
        QCOMPARE(state.preference(QStringLiteral("equivalents")), QStringLiteral("1 cup = 16 tbsp\\n1 tbsp = 3 tsp"));
    }

    void cleanText_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString h = QStringLiteral("#RECCNT:4\r\n#FLDCNT:2\r\n");
        QTest::newRow("second live duplicate is deleted, third already deleted stays") << h
                + "0x00000001,0x0000,\"serves\",\"4\"\r\n0x00000002,0x0004,\"serves\",\"6\"\r\n"
                  "0x00000003,0x0002,\"serves\",\"8\"\r\n0x00000004,0x0008,\"serves\",\"2\"\r\n"
                                                                                       << h
                + "0x00000001,0x0000,\"serves\",\"4\"\r\n0x00000002,0x0002,\"serves\",\"6\"\r\n"
                  "0x00000003,0x0002,\"serves\",\"8\"\r\n0x00000004,0x0002,\"serves\",\"2\"";
        QTest::newRow("different keys stay")
            << h + "0x00000001,0x0000,\"scaling\",\"fraction\"\r\n0x00000002,0x0000,\"serves\",\"4\"\r\n"
            << h + "0x00000001,0x0000,\"scaling\",\"fraction\"\r\n0x00000002,0x0000,\"serves\",\"4\"";
        QTest::newRow("short lines are dropped") << h + "abc\r\n0x00000001,0x0000,\"serves\",\"4\"\r\n\r\n"
                                                 << h + "0x00000001,0x0000,\"serves\",\"4\"";
        QTest::newRow("only the status field is marked") << h
                + "0x00000001,0x0000,\"equivalents\",\"a,0x0004,b\"\r\n"
                  "0x00000002,0x0004,\"equivalents\",\"x,0x0000,y\"\r\n"
                                                         << h
                + "0x00000001,0x0000,\"equivalents\",\"a,0x0004,b\"\r\n"
                  "0x00000002,0x0002,\"equivalents\",\"x,0x0000,y\"";
        QTest::newRow("keys compare exactly") << h + "0x1,0x0000,\"serves\",\"4\"\r\n0x2,0x0000,\"Serves\",\"6\"\r\n"
                                              << h + "0x1,0x0000,\"serves\",\"4\"\r\n0x2,0x0000,\"Serves\",\"6\"";
    }
    void cleanText()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(cleanPreferenceText(before), after);
    }

    void cleanFileThenLoad()
    {
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Preferences,
                        prefsFile({ "0x00000001,0x0000,\"serves\",\"4\"", "0x00000002,0x0000,\"serves\",\"6\"",
                                    "0x00000003,0x0000,\"scaling\",\"decimal\"" }));
        QVERIFY(CleanPreferenceFile(data.file(TableDef::Preferences)));
        AppState& state = AppState::instance();
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        state.prefs->recordset().setFilter(RecordStatus::LiveFilter);
        QCOMPARE(state.prefs->recordset().recordCount(), 2);
        QCOMPARE(state.prefs->recordset().totalRecordCount(), 3);
        QCOMPARE(state.preference(QStringLiteral("serves")), QStringLiteral("4"));
    }

    void cleanFileLeavesCleanFileAlone()
    {
        TestData::DataFolderFixture data;
        const QByteArray clean = prefsFile({ "0x00000001,0x0000,\"serves\",\"4\"" });
        data.writeBytes(TableDef::Preferences, clean);
        QVERIFY(CleanPreferenceFile(data.file(TableDef::Preferences)));
        QCOMPARE(data.readBytes(TableDef::Preferences), clean);
        QVERIFY(!CleanPreferenceFile(data.path() + QStringLiteral("/missing.cdb")));
    }

    void shownAndStoredText_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("flag on") << "ingr_auto_add" << true << "1"
                                 << "1";
        QTest::newRow("flag any number") << "ingr_auto_add" << true << "12"
                                         << "1";
        QTest::newRow("flag text") << "confirm_1SL" << true << "yes"
                                   << "0";
        QTest::newRow("flag missing") << "backup_DBs" << false << ""
                                      << "0";
        QTest::newRow("choice missing") << "instructions" << false << ""
                                        << "editable";
        QTest::newRow("choice unknown value") << "ingredients" << true << "Columns"
                                              << "columns";
        QTest::newRow("choice known") << "scaling" << true << "decimal"
                                      << "decimal";
        QTest::newRow("serves cut to ten") << "serves" << true << "12345678901"
                                           << "1234567890";
        QTest::newRow("equivalents lines") << "equivalents" << true << "a\\nb\\nc"
                                           << "a\nb\nc";
    }
    void shownAndStoredText()
    {
        QFETCH(QString, key);
        QFETCH(bool, found);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        const PreferenceKey* k = nullptr;
        for (const PreferenceKey& candidate : preferenceKeys())
            k = candidate.key == key ? &candidate : k;
        QVERIFY(k);
        QCOMPARE(PreferenceText::shown(*k, found, stored), shown);
        if (key == QLatin1String("equivalents"))
            QCOMPARE(PreferenceText::stored(*k, shown), stored);
    }

    void nineKeysInOrder()
    {
        QStringList keys;
        for (const PreferenceKey& k : preferenceKeys())
            keys << k.key;
        QCOMPARE(keys,
                 (QStringList { "ingr_auto_add", "abbrev_ingr", "confirm_1SL", "backup_DBs", "ingredients",
                                "instructions", "scaling", "serves", "equivalents" }));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "test_preferences.moc"
