#include "Cli.h"
#include "ScriptedDialogs.h"
#include "TestData.h"

#include "base/ShowError.h"
#include "shell/LoadFailure.h"
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
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        QTemporaryDir dir;
        const QString path = DataSource::tablePath(dir.path(), TableDef::Id(table));
        try {
            DataSource(TableDef::Id(table), path);
            QFAIL("no load error");
        } catch (const TableLoadError& error) {
            LoadFailure::report(error);
        }
        QCOMPARE(dialogs.messageCount(), 1);
        QVERIFY2(dialogs.last().text.startsWith(start), qPrintable(dialogs.last().text));
        QVERIFY(dialogs.last().text.endsWith(end == QLatin1String("path") ? path : end));
    }

    void catalogueAndKeys()
    {
        // Field counts and orders the conduit relies on.
        QCOMPARE(TableCatalogue::table(TableDef::MenuPlanner).order, QStringLiteral("MenuKey ASC"));
        QCOMPARE(TableCatalogue::byFileName(QStringLiteral("zestoingr.cdb"))->id, TableDef::Ingredients);
        DataSource7 shop(TestData::DataFolderFixture().file(TableDef::ShoppingList));
        QCOMPARE(shop.recordset().fieldName(7), QStringLiteral("ShopNote"));
        QCOMPARE(NormalizeForMatch(QStringLiteral("CRÈME Brûlée")), QStringLiteral("crème brûlée"));
    }

    void cliInitCheckAndResave()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data"));
        QCOMPARE(TestCli::run({ QStringLiteral("init"), folder }).status, 0);
        QCOMPARE(TestCli::run({ QStringLiteral("init"), folder }).status, 2); // never overwrites
        TestCli::Run r = TestCli::run({ QStringLiteral("check"), folder });
        QCOMPARE(r.out.count(QStringLiteral(" records=0 live=0\n")), 13);

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
        QVERIFY(r.status == 2 && r.out.isEmpty());
        QVERIFY(r.err.contains(QStringLiteral("An error occurred while loading data source 14.")));
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "test_datasource.moc"
