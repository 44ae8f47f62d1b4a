#include "Cli.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "TestPaths.h"

#include "base/ShowError.h"
#include "shell/LoadFailure.h"
#include "storage/DataFolder.h"
#include "storage/DataSource.h"
#include "storage/NormalizeForMatch.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

TestCli::Run runCli(const QStringList& args)
{
    return args.first() == QLatin1String("check") ? TestCli::runProcess(args) : TestCli::run(args);
}

} // namespace

class TestDataSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadFailureMessages_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("detail");
        QTest::newRow("recipes") << int(TableDef::Recipes) << "Error"
                                 << "An error occurred while loading data source 1.\r\n\r\nIf you are not running "
                                    "Windows 2000 or XP, please make sure you have installed the MDAC update from our "
                                    "support page.\r\n\r\nErrorCode = 53\r\n\r\nFilename = "
                                 << "";
        QTest::newRow("preferences")
            << int(TableDef::Preferences) << "Error"
            << "An error occurred while loading data source prefs.\r\n\r\nErrorCode =  53 (File not found)\r\n\r\n"
               "If this is a new install, try synchronizing your handheld again. Also, you may need the MDAC update "
               "from our support page.\r\n\r\nFilename = "
            << "";
        QTest::newRow("meals") << int(TableDef::Meals) << "Error"
                               << "An error occurred while loading data source 15.\r\n\r\nErrorCode =  53 (File not "
                                  "found)\r\n\r\nIf you continue to get this error,\r\ncheck "
                               << "";
    }

    void loadFailureMessages()
    {
        QFETCH(int, table);
        QFETCH(QString, title);
        QFETCH(QString, start);
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
        QCOMPARE(dialogs.last().title, title);
        QVERIFY2(dialogs.last().text.startsWith(start), qPrintable(dialogs.last().text));
        if (table == TableDef::Recipes)
            QVERIFY(dialogs.last().text.endsWith(path));
        if (table == TableDef::Meals)
            QVERIFY(dialogs.last().text.endsWith(QStringLiteral("then e-mail tech support at ") + Support::Email
                                                 + QStringLiteral(".")));
    }

    void catalogueMatchesTheFiles()
    {
        // Field counts and orders the conduit relies on.
        QCOMPARE(TableCatalogue::all().size(), 13);
        QCOMPARE(TableCatalogue::table(TableDef::Recipes).ownFieldCount(), 10);
        QCOMPARE(TableCatalogue::table(TableDef::ShoppingList).ownFieldCount(), 8);
        QCOMPARE(TableCatalogue::table(TableDef::MenuPlanner).order, QStringLiteral("MenuKey ASC"));
        QCOMPARE(TableCatalogue::byFileName(QStringLiteral("zestoingr.cdb"))->id, TableDef::Ingredients);
        DataSource7 shop(TestData::DataFolderFixture().file(TableDef::ShoppingList));
        QCOMPARE(shop.recordset().fieldCount(), 10);
        QCOMPARE(shop.recordset().fieldName(7), QStringLiteral("ShopNote"));
    }

    void normalizeForMatch()
    {
        QCOMPARE(NormalizeForMatch(QStringLiteral("Mom's *Best* Pie")), QStringLiteral("moms best pie"));
        QCOMPARE(NormalizeForMatch(QStringLiteral("*''*")), QString());
        QCOMPARE(NormalizeForMatch(QStringLiteral("CRÈME Brûlée")), QStringLiteral("crème brûlée"));
    }

    void cliInitThenCheck()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data"));
        TestCli::Run r = runCli({ QStringLiteral("init"), folder });
        QCOMPARE(r.status, 0);
        r = runCli({ QStringLiteral("check"), folder });
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 13);
        for (const QString& line : lines)
            QVERIFY2(line.endsWith(QStringLiteral(" records=0 live=0")), qPrintable(line));
        for (const TableDef& def : TableCatalogue::all()) {
            const QByteArray bytes = TestData::readFile(DataSource::tablePath(folder, def.id));
            QVERIFY(bytes.startsWith("#CDBID: CASL\r\n#MAJREV: 2\r\n#MINREV: 0\r\n#FLDCNT: "));
            QVERIFY(bytes.contains("\r\n#RECCNT: 0\r\n#SYNCMODE: MERGE\r\n#FLDNUM:1 TYPE:S SIZE:0\r\n"));
            QVERIFY(bytes.endsWith("\r\n"));
        }
        // init refuses to overwrite.
        QCOMPARE(runCli({ QStringLiteral("init"), folder }).status, 2);
    }

    void cliCheckCountsAndResaves()
    {
        TestData::DataFolderFixture data;
        // An older layout: 8 declared fields for a 10-field table, a deleted and a live record.
        data.writeBytes(TableDef::Recipes,
                        TestData::crlfLines({ "#CDBID: CASL", "#FLDCNT: 8", "#RECCNT: 2", "#FLDNUM:8 TYPE:S SIZE:0",
                                              "0x00000001,0x0002,\"a\",\"A\",\"\",\"\",\"\",\"\",\"\",\"\"",
                                              "0x00000002,0x0000,\"b\",\"B\",\"\",\"\",\"\",\"\",\"\",\"\"" }));
        TestCli::Run r = runCli({ QStringLiteral("check"), data.path() });
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("ZestoDB.cdb records=2 live=1\n")));
        QCOMPARE(runCli({ QStringLiteral("check"), data.path(), QStringLiteral("--resave") }).status, 0);
        const QByteArray bytes = data.readBytes(TableDef::Recipes);
        QVERIFY(bytes.startsWith("#CDBID: CASL\r\n#FLDCNT: 10\r\n#RECCNT: 2\r\n#FLDNUM:8 TYPE:S SIZE:0\r\n"
                                 "#FLDNUM:9 TYPE:S SIZE:0\r\n#FLDNUM:10 TYPE:S SIZE:0\r\n"));
        QVERIFY(bytes.endsWith("0x00000002,0x0000,\"b\",\"B\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));

        QFile::remove(data.file(TableDef::Aisles));
        r = runCli({ QStringLiteral("check"), data.path() });
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("An error occurred while loading data source 14.")));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "test_datasource.moc"
