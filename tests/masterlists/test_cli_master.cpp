#include "MasterTestData.h"
#include "TestData.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace MasterTestData;

namespace {
struct Result
{
    int code = -1;
    QString out;
    QString err;
};

Result run(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ZESTORA_CLI), QStringList { "master" } + args);
    p.waitForFinished(-1);
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}
} // namespace

class TestCliMaster : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsAsTheEditorShows()
    {
        TestData::DataFolderFixture data;
        writeTable(data, *MasterListKinds::find("ingr"),
                   { { "0x00000001", "0x0000", "Salt", "" },
                     { "0x00000002", "0x0000", "Flour", "3" },
                     { "0x00000003", "0x0002", "Gone", "" },
                     { "0x00000004", "0x0000", "All", "" } });
        const Result r = run({ data.path(), "ingr" });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("Flour (aisle:3)\nSalt\n"));
    }
    void addStopsAtTheLimit()
    {
        TestData::DataFolderFixture data;
        writeTable(data, *MasterListKinds::find("meal"), numbered(18));
        QCOMPARE(run({ data.path(), "meal", "--add", "Brunch" }).code, 0);
        const Result full = run({ data.path(), "meal", "--add", "Tea" });
        QCOMPARE(full.code, 1);
        QVERIFY(full.err.contains("Maximum Meals: The maximum number of Meals is 20."));
        QCOMPARE(recordLines(data, TableDef::Meals).size(), 19);
        QVERIFY(recordLines(data, TableDef::Meals).contains(R"(0x00000000,0x0008,"Brunch","","")"));

        QCOMPARE(run({ data.path(), "ingr", "--add", "Flour", "--aisle", "1234567" }).code, 0);
        QCOMPARE(run({ data.path(), "ingr" }).out, QString("Flour (aisle:12345)\n"));
    }
    void importsAnIngredientList()
    {
        TestData::DataFolderFixture data;
        QTemporaryDir dir;
        const QString file = dir.filePath("list.txt");
        TestData::writeFile(file, "Flour,3\n\"Bread, white\",7\n\n\"Sugar\"\n");
        const Result r = run({ data.path(), "ingr", "--import", file });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("Importing Records: 4 (DONE)\n"));
        QCOMPARE(run({ data.path(), "ingr" }).out, QString("Bread, white (aisle:7)\nFlour (aisle:3)\nSugar\n"));
    }
    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no kind") << QStringList { "DIR" };
        QTest::newRow("unknown kind") << QStringList { "DIR", "spices" };
        QTest::newRow("aisle for another kind") << QStringList { "DIR", "cat", "--add", "x", "--aisle", "1" };
        QTest::newRow("import for another kind") << QStringList { "DIR", "cat", "--import", "f" };
        QTest::newRow("missing value") << QStringList { "DIR", "cat", "--add" };
        QTest::newRow("empty text") << QStringList { "DIR", "cat", "--add", "" };
    }
    void badArguments()
    {
        QFETCH(QStringList, args);
        TestData::DataFolderFixture data;
        args.replaceInStrings("DIR", data.path());
        const Result r = run(args);
        QCOMPARE(r.code, 1);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(recordLines(data, TableDef::Categories).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliMaster)
#include "test_cli_master.moc"
