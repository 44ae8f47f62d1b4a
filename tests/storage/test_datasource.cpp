#include "Cli.h"
#include "ScriptedDialogs.h"
#include "TestData.h"

#include "shell/ShowError.h"
#include "storage/DataSource.h"
#include "storage/NormalizeForMatch.h"

#include <QTemporaryDir>
#include <QTest>

class TestDataSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadFailureMessages_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end"); // "path" for the file's path
        QTest::newRow("recipes") << int(TableDef::Recipes)
                                 << "An error occurred while loading data source 1.\r\n\r\nIf you are not running "
                                    "Windows 2000 or XP, please make sure you have installed the MDAC update from our "
                                    "support page.\r\n\r\nErrorCode = 53\r\n\r\nFilename = "
                                 << "path";
        QTest::newRow("preferences")
            << int(TableDef::Preferences)
            << "An error occurred while loading data source prefs.\r\n\r\nErrorCode =  53 (File not found)\r\n\r\n"
               "If this is a new install, try synchronizing your handheld again. Also, you may need the MDAC update "
               "from our support page.\r\n\r\nFilename = "
            << "";
        QTest::newRow("meals") << int(TableDef::Meals)
                               << "An error occurred while loading data source 15.\r\n\r\nErrorCode =  53 (File not "
                                  "found)\r\n\r\nIf you continue to get this error,\r\ncheck "
                               << "then e-mail tech support at " + Support::Email + ".";
    }
    void loadFailureMessages()
    {
        QFETCH(int, table);
        QFETCH(QString, start);
        QFETCH(QString, end);
        TestData::ThrowOnFatalLoad fatal;
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        QTemporaryDir dir;
        const QString path = DataSource::tablePath(dir.path(), TableDef::Id(table));
        QVERIFY_THROWS_EXCEPTION(TableLoadError, DataSource(TableDef::Id(table), path));
        QCOMPARE(dialogs.messageCount(), 1);
        QCOMPARE(dialogs.last().title, QStringLiteral("Error"));
        QVERIFY2(dialogs.last().text.startsWith(start), qPrintable(dialogs.last().text));
        QVERIFY(dialogs.last().text.endsWith(end == QLatin1String("path") ? path : end));
    }

    void catalogueAndKeys()
    {
        // Field counts and orders the conduit relies on.
        QCOMPARE(TableCatalogue::all().size(), 13);
        QCOMPARE(TableCatalogue::table(TableDef::Recipes).ownFieldCount(), 10);
        QCOMPARE(TableCatalogue::table(TableDef::MenuPlanner).order, QStringLiteral("MenuKey ASC"));
        QCOMPARE(TableCatalogue::byFileName(QStringLiteral("zestoingr.cdb"))->id, TableDef::Ingredients);
        DataSource7 shop(TestData::DataFolderFixture().file(TableDef::ShoppingList));
        QCOMPARE(shop.recordset().fieldCount(), 10);
        QCOMPARE(shop.recordset().fieldName(7), QStringLiteral("ShopNote"));

        QCOMPARE(NormalizeForMatch(QStringLiteral("Mom's *Best* Pie")), QStringLiteral("moms best pie"));
        QCOMPARE(NormalizeForMatch(QStringLiteral("*''*")), QString());
        QCOMPARE(NormalizeForMatch(QStringLiteral("CRÈME Brûlée")), QStringLiteral("crème brûlée"));
    }

    void cliInitCheckAndResave()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data"));
        QCOMPARE(TestCli::run({ QStringLiteral("init"), folder }).status, 0);
        QCOMPARE(TestCli::run({ QStringLiteral("init"), folder }).status, 2); // never overwrites
        TestCli::Run r = TestCli::run({ QStringLiteral("check"), folder });
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.count(QStringLiteral(" records=0 live=0\n")), 13);
        for (const TableDef& def : TableCatalogue::all()) {
            const QByteArray bytes = TestData::readFile(DataSource::tablePath(folder, def.id));
            QVERIFY(bytes.startsWith("#CDBID: CASL\r\n#MAJREV: 2\r\n#MINREV: 0\r\n#FLDCNT: "));
            QVERIFY(bytes.contains("\r\n#RECCNT: 0\r\n#SYNCMODE: MERGE\r\n#FLDNUM:1 TYPE:S SIZE:0\r\n"));
        }

        // An older layout: 8 declared fields for a 10-field table, a deleted and a live record.
        const QString recipes = DataSource::tablePath(folder, TableDef::Recipes);
        TestData::writeFile(recipes,
                            TestData::crlfLines({ "#CDBID: CASL", "#FLDCNT: 8", "#RECCNT: 2", "#FLDNUM:8 TYPE:S SIZE:0",
                                                  "0x00000001,0x0002,\"a\",\"A\",\"\",\"\",\"\",\"\",\"\",\"\"",
                                                  "0x00000002,0x0000,\"b\",\"B\",\"\",\"\",\"\",\"\",\"\",\"\"" }));
        r = TestCli::run({ QStringLiteral("check"), folder });
        QVERIFY(r.out.startsWith(QStringLiteral("ZestoDB.cdb records=2 live=1\n")));
        QCOMPARE(TestCli::run({ QStringLiteral("check"), folder, QStringLiteral("--resave") }).status, 0);
        const QByteArray bytes = TestData::readFile(recipes);
        QVERIFY(bytes.startsWith("#CDBID: CASL\r\n#FLDCNT: 10\r\n#RECCNT: 2\r\n#FLDNUM:8 TYPE:S SIZE:0\r\n"
                                 "#FLDNUM:9 TYPE:S SIZE:0\r\n#FLDNUM:10 TYPE:S SIZE:0\r\n"));
        QVERIFY(bytes.endsWith("0x00000002,0x0000,\"b\",\"B\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));

        QFile::remove(DataSource::tablePath(folder, TableDef::Aisles));
        r = TestCli::runProcess({ QStringLiteral("check"), folder });
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("An error occurred while loading data source 14.")));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "test_datasource.moc"
