#include "Cli.h"
#include "MasterTestData.h"
#include "TestData.h"
#include "masterlists/MasterIngredients.h"
#include "masterlists/MasterListEditor.h"
#include "masterlists/MasterListImport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace MasterTestData;
using Outcome = MasterListEditor::Outcome;

namespace {
const MasterListKind& kind(const QString& keyword)
{
    return *MasterListKinds::find(keyword);
}

TestCli::Run run(const QStringList& args)
{
    return TestCli::run(QStringList { "master" } + args);
}
} // namespace

class TestMasterListCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A list takes entries up to one below its maximum; deleted records and the reserved "All" do not count.
    void limitCountsOnlyListedEntries()
    {
        const MasterListKind& ntrn = kind("ntrn");
        QCOMPARE(ntrn.limitText(), QString("The maximum number of Nutrition items is 10000."));
        TestData::DataFolderFixture data;
        QVector<Rec> recs = numbered(9998);
        recs.append({ "0x0000ffff", "0x0002", "Gone", "" });
        writeTable(data, ntrn, recs);
        auto editor = MasterListEditor::open(ntrn, data.path());
        QCOMPARE(editor->addOrUpdate("Z1"), Outcome::Added);
        QCOMPARE(editor->addOrUpdate("Z2"), Outcome::LimitReached);

        recs = numbered(78);
        recs.prepend({ "0x00000100", "0x0000", "All", "" });
        writeTable(data, kind("cat"), recs);
        auto categories = MasterListEditor::open(kind("cat"), data.path());
        QCOMPARE(categories->addOrUpdate("Extra"), Outcome::Added);
        QCOMPARE(categories->addOrUpdate("Extra2"), Outcome::LimitReached);

        // Adding "All" stores a record the list never shows; an added rating keeps its tildes (an update drops them).
        auto ratings = MasterListEditor::open(kind("rating"), data.path());
        ratings->addOrUpdate("All");
        ratings->addOrUpdate("Go~od");
        QCOMPARE(ratings->entryTexts(), QStringList { "Go~od" });
        QVERIFY(ratings->save());
        QCOMPARE(recordLines(data, TableDef::Ratings),
                 (QStringList { R"(0x00000000,0x0008,"All","","")", R"(0x00000000,0x0008,"Go~od","","")" }));
    }

    void update_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("status"); // of the record "Pies" being edited
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("newAisle");
        QTest::addColumn<QStringList>("written"); // the record lines after saving
        const auto row = [](const char* name, const char* keyword, const char* status, const char* text,
                            const QStringList& written, const char* aisle = "") {
            QTest::newRow(name) << QString(keyword) << QString(status) << QString(text) << QString(aisle) << written;
        };
        const QString piesDeleted = R"(0x00000007,0x0002,"Pies")";
        row("new entry changed: old record dropped", "cat", "0x0008", "Soups", { R"(0x00000000,0x0008,"Soups")" });
        row("synchronised entry changed: old record kept as deleted", "cat", "0x0000", "Soups",
            { piesDeleted, R"(0x00000000,0x0008,"Soups")" });
        row("changed entry changed again", "cat", "0x0004", "Soups", { piesDeleted, R"(0x00000000,0x0008,"Soups")" });
        row("synchronised entry unchanged: changed in place", "cat", "0x0000", "Pies",
            { R"(0x00000007,0x0004,"Pies")" });
        row("case differs in a kind without key: a different entry", "cat", "0x0000", "pies",
            { piesDeleted, R"(0x00000000,0x0008,"pies")" });
        row("case-only change of a keyed entry: in place", "ingr", "0x0000", "pies",
            { R"(0x00000007,0x0004,"pies","pies","","","")" });
        // No raw string here: moc misreads a quote inside one.
        row("star and quote only: same key", "units", "0x0000", "Pie's*",
            { "0x00000007,0x0004,\"pies\",\"Pie's*\",\"\",\"\"" });
        row("new entry with the same key is marked changed too", "ingr", "0x0008", "PIES",
            { R"(0x00000007,0x0004,"pies","PIES","","","")" });
        row("aisle change alone: in place, aisle cut to five", "ingr", "0x0000", "Pies",
            { R"(0x00000007,0x0004,"pies","Pies","12345","","")" }, "12345678");
        row("rating loses its tildes on update", "rating", "0x0008", "Ta~rt~", { R"(0x00000000,0x0008,"Tart","","")" });
    }
    void update()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, status);
        QFETCH(QString, newText);
        QFETCH(QString, newAisle);
        TestData::DataFolderFixture data;
        writeTable(data, kind(keyword), { { "0x00000007", status, "Pies", "" } });
        auto editor = MasterListEditor::open(kind(keyword), data.path());
        QVERIFY(editor->select(0));
        QVERIFY(editor->beginEdit());
        QCOMPARE(editor->addOrUpdate(QString()), Outcome::Ignored);
        QVERIFY(editor->addOrUpdate(newText, newAisle) != Outcome::Added);
        QVERIFY(!editor->isUpdating());
        QVERIFY(editor->save());
        QTEST(recordLines(data, kind(keyword).table), "written");
    }

    // Delete and update bind to the selected record, not to the first record with its text.
    void deleteBindsToTheSelectedRecordAndWritesStatuses()
    {
        TestData::DataFolderFixture data;
        writeTable(data, kind("cat"),
                   { { "0x00000001", "0x0000", "Fish", "" },
                     { "0x00000000", "0x0008", "fish", "" },
                     { "0x00000000", "0x0008", "Meat", "" },
                     { "0x00000003", "0x0000", "Meat", "" },
                     { "0x00000004", "0x0002", "Gone", "" } });
        auto editor = MasterListEditor::open(kind("cat"), data.path());
        QCOMPARE(editor->entryTexts(), (QStringList { "Fish", "fish", "Meat", "Meat" }));
        QVERIFY(editor->select(1));
        QVERIFY(editor->removeSelected());
        // The dropped record shifted the rows behind it; the next selection must still be right.
        QVERIFY(editor->select(2));
        QCOMPARE(editor->held().id, QString("0x00000003"));
        QVERIFY(editor->removeSelected());
        QVERIFY(editor->save());
        QCOMPARE(recordLines(data, TableDef::Categories),
                 (QStringList { R"(0x00000001,0x0000,"Fish")", R"(0x00000004,0x0002,"Gone")",
                                R"(0x00000000,0x0008,"Meat")", R"(0x00000003,0x0002,"Meat")" }));
        QVERIFY(Cp1252::decode(data.readBytes(TableDef::Categories)).contains("#RECCNT: 4\r\n"));
    }

    void deletingTheEntryBeingUpdatedEndsUpdateMode()
    {
        TestData::DataFolderFixture data;
        writeTable(data, kind("meal"),
                   { { "0x00000000", "0x0008", "Brunch", "" }, { "0x00000002", "0x0000", "Tea", "" } });
        auto editor = MasterListEditor::open(kind("meal"), data.path());
        editor->select(0);
        editor->beginEdit();
        editor->removeSelected();
        // The text is added as a new entry instead of overwriting whatever record became current.
        QCOMPARE(editor->addOrUpdate("Supper"), Outcome::Added);
        QVERIFY(editor->save());
        QCOMPARE(recordLines(data, TableDef::Meals),
                 (QStringList { R"(0x00000000,0x0008,"Supper","","")", R"(0x00000002,0x0000,"Tea","","")" }));
    }

    void writesInTheKindsOrderWithQuotesDoubled()
    {
        TestData::DataFolderFixture data;
        auto editor = MasterListEditor::open(kind("qty"), data.path());
        // Quantities order by amount; text that is no amount (or has none, like 1/0) orders by its text.
        for (const char* q : { "10", "2", "1/2", "\"big\" 1", "1/0" })
            editor->addOrUpdate(q);
        QCOMPARE(editor->entryTexts(), (QStringList { "\"big\" 1", "1/2", "2", "10", "1/0" }));
        QVERIFY(editor->save());
        QCOMPARE(recordLines(data, TableDef::Quantities).mid(0, 2),
                 (QStringList { R"(0x00000000,0x0008,"""big"" 1","""big"" 1","","")",
                                R"(0x00000000,0x0008,"0000.5000","1/2","","")" }));
        // "0.5" and "1/2" have the same key: an update between them keeps the record.
        editor->select(1);
        editor->beginEdit();
        QCOMPARE(editor->addOrUpdate("0.5"), Outcome::Updated);
    }

    void splitImportLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("ingredient");
        QTest::addColumn<QString>("aisle");
        // Comma first; the last comma splits; quotes; an unbalanced, an inner and a lone quote stay.
        const char* rows[][3]
            = { { " Flour , 3 ", "Flour", "3" },           { ",Flour", ",Flour", "" },
                { "Bread, white,7", "Bread, white", "7" }, { "\"Bread, white\",7", "Bread, white", "7" },
                { "\"Bread\",\"7\"", "Bread", "7" },       { "\"Flour,3", "\"Flour,3", "" },
                { "5\" pan,2", "5\" pan,2", "" },          { "\"", "\"", "" } };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void splitImportLine()
    {
        QFETCH(QString, line);
        const MasterListImport::Line split = MasterListImport::splitLine(line);
        QTEST(split.ingredient, "ingredient");
        QTEST(split.aisle, "aisle");
    }

    // Automatic adds skip known keys; add-all adds duplicates too and stops when the list is full.
    void autoAddAndAddAll()
    {
        TestData::DataFolderFixture data;
        QVector<Rec> recs = numbered(9957);
        recs.append({ "0x00010001", "0x0000", "*Saffron Threads", "" });
        writeTable(data, kind("ingr"), recs);
        DataSource6 ingr(data.file(TableDef::Ingredients));
        Recordset& rs = ingr.recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        QVERIFY(!MasterIngredients::autoAdd(rs, "saffron threads"));
        QVERIFY(!MasterIngredients::autoAdd(rs, QString()));
        QVERIFY(MasterIngredients::autoAdd(rs, "Mom's Salt"));
        QVERIFY(!MasterIngredients::autoAdd(rs, "moms salt"));
        QVERIFY(MasterIngredients::autoAdd(rs, QString(90, QLatin1Char('y'))));
        rs.moveLast();
        QCOMPARE(rs.value("IngrMaster").size(), 80);
        QCOMPARE(rs.value("STATUS"), QString("0x0008"));
        bool full = true;
        QCOMPARE(MasterIngredients::addAll(rs, { "Salt", "Salt" }, &full), 1);
        QVERIFY(full);
        QCOMPARE(rs.recordCount(), 9961);
    }

    // The command line tool lists, imports and adds as the editor does, and refuses what it cannot do.
    void commandLine()
    {
        TestData::DataFolderFixture data;
        writeTable(data, kind("ingr"),
                   { { "0x00000001", "0x0000", "Salt", "" },
                     { "0x00000003", "0x0002", "Gone", "" },
                     { "0x00000004", "0x0000", "All", "" } });
        QTemporaryDir dir;
        const QString file = dir.filePath("list.txt");
        TestData::writeFile(file,
                            "\xEF\xBB\xBF"
                            "Flour,3\n\"Bread, white\",7\n\n\"Sugar\"\n");
        QCOMPARE(run({ data.path(), "ingr", "--import", file }).out, QString("Importing Records: 4 (DONE)\n"));
        QCOMPARE(run({ data.path(), "ingr" }).out, QString("Bread, white (aisle:7)\nFlour (aisle:3)\nSalt\nSugar\n"));

        writeTable(data, kind("meal"), numbered(18));
        QCOMPARE(run({ data.path(), "meal", "--add", "Brunch" }).status, 0);
        const TestCli::Run full = run({ data.path(), "meal", "--add", "Tea" });
        QCOMPARE(full.status, 1);
        QVERIFY(full.err.contains("Maximum Meals: The maximum number of Meals is 20."));
        QCOMPARE(recordLines(data, TableDef::Meals).size(), 19);
        QVERIFY(recordLines(data, TableDef::Meals).contains(R"(0x00000000,0x0008,"Brunch","","")"));

        for (const QStringList& args :
             QList<QStringList> { {}, { "spices" }, { "cat", "--add", "x", "--aisle", "1" }, { "cat", "--add", "" } })
            QCOMPARE(run(QStringList { data.path() } + args).status, 2);
        QVERIFY(recordLines(data, TableDef::Categories).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMasterListCore)
#include "test_masterlist_core.moc"
