#include "MasterTestData.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "masterlists/MasterIngredients.h"
#include "masterlists/MasterListEditor.h"
#include "masterlists/MasterListImport.h"

#include <QTest>

using namespace MasterTestData;
using Outcome = MasterListEditor::Outcome;

class TestMasterListCore : public QObject
{
    Q_OBJECT

private:
    static const MasterListKind& kind(const char* keyword) { return *MasterListKinds::find(QLatin1String(keyword)); }

private Q_SLOTS:
    void limitIsOneBelowMaximum_data();
    void limitIsOneBelowMaximum();
    void reservedAllIsNeverListedOrCounted();
    void duplicatesAreAddedAgain();
    void update_data();
    void update();
    void ratingLosesTildesOnlyOnUpdate();
    void deleteWritesStatuses();
    void deleteBindsToTheSelectedRecordNotItsText();
    void deletingTheEntryBeingUpdatedEndsUpdateMode();
    void ingredientAisles();
    void writesInTheKindsOrderWithQuotesDoubled();
    void splitImportLine_data();
    void splitImportLine();
    void decodeLines_data();
    void decodeLines();
    void importStopsAtTheEditorsLimit();
    void autoAddSkipsKnownKeys();
    void addAllAddsDuplicatesAndStopsWhenFull();
};

void TestMasterListCore::limitIsOneBelowMaximum_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("cat") << "cat" << 80 << "Maximum Categories"
                         << "The maximum number of Categories is 80.";
    QTest::newRow("qty") << "qty" << 30 << "Maximum Quantities"
                         << "The maximum number of Quantities is 30.";
    QTest::newRow("units") << "units" << 50 << "Maximum Units"
                           << "The maximum number of Units is 50.";
    QTest::newRow("ingr") << "ingr" << 10000 << "Maximum Ingredients"
                          << "The maximum number of Ingredients is 10000.";
    QTest::newRow("ntrn") << "ntrn" << 10000 << "Maximum Ingredients"
                          << "The maximum number of Nutrition items is 10000.";
    QTest::newRow("source") << "source" << 40 << "Maximum Sources"
                            << "The maximum number of Sources is 40.";
    QTest::newRow("rating") << "rating" << 20 << "Maximum Ratings"
                            << "The maximum number of Ratings is 20.";
    QTest::newRow("aisle") << "aisle" << 40 << "Maximum Aisles"
                           << "The maximum number of Aisles is 40.";
    QTest::newRow("meal") << "meal" << 20 << "Maximum Meals"
                          << "The maximum number of Meals is 20.";
}

void TestMasterListCore::limitIsOneBelowMaximum()
{
    QFETCH(QString, keyword);
    QFETCH(int, maximum);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const MasterListKind& k = *MasterListKinds::find(keyword);
    QCOMPARE(k.limit, maximum);
    QCOMPARE(k.limitTitle, title);
    QCOMPARE(k.limitText(), text);

    TestData::DataFolderFixture data;
    // Deleted records are not counted: the limit is about what the list shows.
    QVector<Rec> recs = numbered(maximum - 2);
    recs.append({ "0x0000ffff", "0x0002", "Gone", "" });
    writeTable(data, k, recs);
    auto editor = MasterListEditor::open(k, data.path());
    QCOMPARE(editor->count(), maximum - 2);
    QCOMPARE(editor->addOrUpdate("Z1"), Outcome::Added);
    QCOMPARE(editor->count(), maximum - 1);
    QVERIFY(editor->atLimit());
    QCOMPARE(editor->addOrUpdate("Z2"), Outcome::LimitReached);
    QCOMPARE(editor->count(), maximum - 1);
    QCOMPARE(editor->source().recordset().totalRecordCount(), maximum);
}

void TestMasterListCore::reservedAllIsNeverListedOrCounted()
{
    TestData::DataFolderFixture data;
    QVector<Rec> recs = numbered(78);
    recs.prepend({ "0x00000100", "0x0000", "All", "" });
    writeTable(data, kind("cat"), recs);
    auto editor = MasterListEditor::open(kind("cat"), data.path());
    QCOMPARE(editor->count(), 78);
    QVERIFY(!editor->entryTexts().contains("All"));
    QCOMPARE(editor->addOrUpdate("Extra"), Outcome::Added);
    QCOMPARE(editor->addOrUpdate("Extra2"), Outcome::LimitReached);

    // Adding "All" stores a record the list never shows.
    TestData::DataFolderFixture empty;
    auto ratings = MasterListEditor::open(kind("rating"), empty.path());
    QCOMPARE(ratings->addOrUpdate("All"), Outcome::Added);
    QCOMPARE(ratings->count(), 0);
    QVERIFY(ratings->save());
    QCOMPARE(recordLines(empty, TableDef::Ratings), QStringList { R"(0x00000000,0x0008,"All","","")" });
}

void TestMasterListCore::duplicatesAreAddedAgain()
{
    TestData::DataFolderFixture data;
    auto editor = MasterListEditor::open(kind("meal"), data.path());
    QCOMPARE(editor->addOrUpdate("Lunch"), Outcome::Added);
    QCOMPARE(editor->addOrUpdate("Lunch"), Outcome::Added);
    QCOMPARE(editor->entryTexts(), (QStringList { "Lunch", "Lunch" }));
    QCOMPARE(editor->addOrUpdate(QString()), Outcome::Ignored);
    QCOMPARE(editor->count(), 2);
}

void TestMasterListCore::update_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("status"); // of the record being edited
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QStringList>("written"); // the record lines after saving

    QTest::newRow("new entry changed: old record dropped") << "cat"
                                                           << "0x0008"
                                                           << "Soups" << QStringList { R"(0x00000000,0x0008,"Soups")" };
    QTest::newRow("synchronised entry changed: old record kept as deleted")
        << "cat"
        << "0x0000"
        << "Soups" << QStringList { R"(0x00000007,0x0002,"Pies")", R"(0x00000000,0x0008,"Soups")" };
    QTest::newRow("changed entry changed again")
        << "cat"
        << "0x0004"
        << "Soups" << QStringList { R"(0x00000007,0x0002,"Pies")", R"(0x00000000,0x0008,"Soups")" };
    QTest::newRow("synchronised entry unchanged: changed in place")
        << "cat"
        << "0x0000"
        << "Pies" << QStringList { R"(0x00000007,0x0004,"Pies")" };
    QTest::newRow("case differs in a kind without key: a different entry")
        << "cat"
        << "0x0000"
        << "pies" << QStringList { R"(0x00000007,0x0002,"Pies")", R"(0x00000000,0x0008,"pies")" };
    QTest::newRow("case-only change of a keyed entry: in place")
        << "ingr"
        << "0x0000"
        << "pies" << QStringList { R"(0x00000007,0x0004,"pies","pies","","","")" };
    QTest::newRow("star and quote only: same key")
        << "units"
        << "0x0000"
        << "Pie's*" << QStringList { R"(0x00000007,0x0004,"pies","Pie's*","","")" };
    QTest::newRow("new entry with the same key is marked changed too")
        << "ingr"
        << "0x0008"
        << "PIES" << QStringList { R"(0x00000007,0x0004,"pies","PIES","","","")" };
}

void TestMasterListCore::update()
{
    QFETCH(QString, keyword);
    QFETCH(QString, status);
    QFETCH(QString, newText);
    QFETCH(QStringList, written);
    const MasterListKind& k = *MasterListKinds::find(keyword);
    TestData::DataFolderFixture data;
    writeTable(data, k, { { "0x00000007", status, "Pies", "" } });
    auto editor = MasterListEditor::open(k, data.path());
    QVERIFY(editor->select(0));
    QVERIFY(editor->beginEdit());
    QCOMPARE(editor->addOrUpdate(QString()), Outcome::Ignored);
    QVERIFY(editor->isUpdating());
    const Outcome outcome = editor->addOrUpdate(newText);
    QVERIFY(!editor->isUpdating());
    QVERIFY(outcome == Outcome::Replaced || outcome == Outcome::Updated);
    QCOMPARE(editor->entryTexts(), QStringList { newText });
    // The first entry is held again after the update.
    QCOMPARE(editor->selectedRow(), 0);
    QCOMPARE(editor->held().value, newText);
    QVERIFY(editor->save());
    QCOMPARE(recordLines(data, k.table), written);
}

void TestMasterListCore::ratingLosesTildesOnlyOnUpdate()
{
    TestData::DataFolderFixture data;
    auto editor = MasterListEditor::open(kind("rating"), data.path());
    editor->addOrUpdate("Good~Best");
    QCOMPARE(editor->held().value, QString("Good~Best"));
    editor->select(0);
    editor->beginEdit();
    QCOMPARE(editor->addOrUpdate("Good~Best~"), Outcome::Replaced);
    QCOMPARE(editor->entryTexts(), QStringList { "GoodBest" });
    // An entry longer than the kind allows is cut.
    editor->addOrUpdate("Exceptionally good");
    QVERIFY(editor->entryTexts().contains("Exceptiona"));
}

void TestMasterListCore::deleteWritesStatuses()
{
    TestData::DataFolderFixture data;
    writeTable(data, kind("aisle"),
               { { "0x00000001", "0x0000", "A1", "" },
                 { "0x00000002", "0x0004", "A2", "" },
                 { "0x00000000", "0x0008", "A3", "" },
                 { "0x00000004", "0x0002", "A0", "" } });
    auto editor = MasterListEditor::open(kind("aisle"), data.path());
    QCOMPARE(editor->entryTexts(), (QStringList { "A1", "A2", "A3" }));
    QVERIFY(!editor->removeSelected()); // nothing selected
    for (int row : { 2, 0 }) {
        QVERIFY(editor->select(row));
        QVERIFY(editor->removeSelected());
        QCOMPARE(editor->selectedRow(), -1);
    }
    QCOMPARE(editor->entryTexts(), QStringList { "A2" });
    QVERIFY(editor->select(0));
    QCOMPARE(editor->held().id, QString("0x00000002"));
    QVERIFY(editor->save());
    QCOMPARE(recordLines(data, TableDef::Aisles),
             (QStringList { R"(0x00000004,0x0002,"A0","","")", R"(0x00000001,0x0002,"A1","","")",
                            R"(0x00000002,0x0004,"A2","","")" }));
    const QString text = Cp1252::decode(data.readBytes(TableDef::Aisles));
    QVERIFY(text.contains("#RECCNT: 3\r\n"));
}

void TestMasterListCore::deleteBindsToTheSelectedRecordNotItsText()
{
    // Two entries that a search by value would confuse: same text apart from letter case, and true duplicates.
    TestData::DataFolderFixture data;
    writeTable(data, kind("cat"),
               { { "0x00000001", "0x0000", "Fish", "" },
                 { "0x00000000", "0x0008", "fish", "" },
                 { "0x00000000", "0x0008", "Meat", "" },
                 { "0x00000003", "0x0000", "Meat", "" } });
    auto editor = MasterListEditor::open(kind("cat"), data.path());
    QCOMPARE(editor->entryTexts(), (QStringList { "Fish", "fish", "Meat", "Meat" }));
    editor->select(1);
    QCOMPARE(editor->held().status, QString("0x0008"));
    editor->removeSelected();
    // The dropped record shifted the rows behind it; the next selection must still be right.
    editor->select(2);
    QCOMPARE(editor->held().id, QString("0x00000003"));
    editor->removeSelected();
    QVERIFY(editor->save());
    QCOMPARE(
        recordLines(data, TableDef::Categories),
        (QStringList { R"(0x00000001,0x0000,"Fish")", R"(0x00000000,0x0008,"Meat")", R"(0x00000003,0x0002,"Meat")" }));
}

void TestMasterListCore::deletingTheEntryBeingUpdatedEndsUpdateMode()
{
    TestData::DataFolderFixture data;
    writeTable(data, kind("meal"), { { "0x00000000", "0x0008", "Brunch", "" }, { "0x00000002", "0x0000", "Tea", "" } });
    auto editor = MasterListEditor::open(kind("meal"), data.path());
    editor->select(0);
    editor->beginEdit();
    editor->removeSelected();
    QVERIFY(!editor->isUpdating());
    // The text is added as a new entry instead of overwriting whatever record became current.
    QCOMPARE(editor->addOrUpdate("Supper"), Outcome::Added);
    QVERIFY(editor->save());
    QCOMPARE(recordLines(data, TableDef::Meals),
             (QStringList { R"(0x00000000,0x0008,"Supper","","")", R"(0x00000002,0x0000,"Tea","","")" }));
}

void TestMasterListCore::ingredientAisles()
{
    TestData::DataFolderFixture data;
    writeTable(data, kind("ingr"),
               { { "0x00000001", "0x0000", "Flour", "3" }, { "0x00000002", "0x0000", "Salt", "" } });
    auto editor = MasterListEditor::open(kind("ingr"), data.path());
    QCOMPARE(editor->entryTexts(), (QStringList { "Flour (aisle:3)", "Salt" }));
    editor->select(0);
    QCOMPARE(editor->held().value, QString("Flour"));
    QCOMPARE(editor->held().aisle, QString("3"));
    // An aisle change alone keeps the entry: changed in place.
    editor->beginEdit();
    QCOMPARE(editor->addOrUpdate("Flour", "12345678"), Outcome::Updated);
    QCOMPARE(editor->entryText(0), QString("Flour (aisle:12345)"));
    QCOMPARE(editor->held().status, QString("0x0004"));
}

void TestMasterListCore::writesInTheKindsOrderWithQuotesDoubled()
{
    TestData::DataFolderFixture data;
    auto editor = MasterListEditor::open(kind("qty"), data.path());
    // Quantities order by amount; text that is no amount (or has none, like 1/0) orders by its text.
    for (const char* q : { "10", "2", "1/2", "\"big\" 1", "1/0" })
        editor->addOrUpdate(q);
    QCOMPARE(editor->entryTexts(), (QStringList { "\"big\" 1", "1/2", "2", "10", "1/0" }));
    QVERIFY(editor->save());
    const QStringList lines = recordLines(data, TableDef::Quantities);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(0), QString(R"(0x00000000,0x0008,"""big"" 1","""big"" 1","","")"));
    QCOMPARE(lines.at(1), QString(R"(0x00000000,0x0008,"0000.5000","1/2","","")"));
    // Reloading gives the same list.
    auto again = MasterListEditor::open(kind("qty"), data.path());
    QCOMPARE(again->entryTexts(), editor->entryTexts());
    // "0.5" and "1/2" have the same key: an update between them keeps the record.
    again->select(1);
    again->beginEdit();
    QCOMPARE(again->addOrUpdate("0.5"), Outcome::Updated);
}

void TestMasterListCore::splitImportLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("ingredient");
    QTest::addColumn<QString>("aisle");
    QTest::newRow("plain") << "Flour"
                           << "Flour"
                           << "";
    QTest::newRow("with aisle") << "Flour,3"
                                << "Flour"
                                << "3";
    QTest::newRow("blanks around") << " Flour , 3 "
                                   << "Flour"
                                   << "3";
    QTest::newRow("comma first") << ",Flour"
                                 << ",Flour"
                                 << "";
    QTest::newRow("inner comma, last one splits") << "Bread, white,7"
                                                  << "Bread, white"
                                                  << "7";
    QTest::newRow("quoted") << "\"Flour\""
                            << "Flour"
                            << "";
    QTest::newRow("quoted with aisle") << "\"Bread, white\",7"
                                       << "Bread, white"
                                       << "7";
    QTest::newRow("quoted aisle") << "\"Bread\",\"7\""
                                  << "Bread"
                                  << "7";
    QTest::newRow("unbalanced quote") << "\"Flour,3"
                                      << "\"Flour,3"
                                      << "";
    QTest::newRow("quote inside") << "5\" pan,2"
                                  << "5\" pan,2"
                                  << "";
    QTest::newRow("lone quote") << "\""
                                << "\""
                                << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestMasterListCore::splitImportLine()
{
    QFETCH(QString, line);
    QFETCH(QString, ingredient);
    QFETCH(QString, aisle);
    const MasterListImport::Line split = MasterListImport::splitLine(line);
    QCOMPARE(split.ingredient, ingredient);
    QCOMPARE(split.aisle, aisle);
}

void TestMasterListCore::decodeLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList { "a", "b" };
    QTest::newRow("LF, no final end") << QByteArray("a\nb") << QStringList { "a", "b" };
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList { "a", "b" };
    QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb\n\n") << QStringList { "a", "", "b", "" };
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF"
                                                  "Cr\xC3\xA8me\r\n")
                                    << QStringList { "Cr\u00E8me" };
    QTest::newRow("Windows-1252") << QByteArray("Cr\xE8me fra\xEE"
                                                "che\r\n")
                                  << QStringList { "Cr\u00E8me fra\u00EEche" };
    QTest::newRow("empty file") << QByteArray() << QStringList {};
}

void TestMasterListCore::decodeLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(MasterListImport::decodeLines(bytes), lines);
}

void TestMasterListCore::importStopsAtTheEditorsLimit()
{
    TestData::DataFolderFixture data;
    writeTable(data, kind("ingr"), numbered(9997));
    auto editor = MasterListEditor::open(kind("ingr"), data.path());
    QStringList lines { "Flour,3", "", QString(500, QLatin1Char('x')), "Salt", "Pepper" };
    QVector<int> progress;
    int refused = 0;
    MasterListImport::Run run;
    run.listCount = [&] { return editor->count(); };
    run.progress = [&](int n) { progress << n; };
    run.add = [&](const MasterListImport::Line& l) {
        if (editor->addOrUpdate(l.ingredient, l.aisle) != Outcome::LimitReached)
            return true;
        ++refused;
        return false;
    };
    // The first refused line ends the import instead of refusing every further line one by one.
    QCOMPARE(MasterListImport::importLines(lines, run), 4);
    QCOMPARE(progress, (QVector<int> { 1, 2, 3, 4 }));
    QCOMPARE(refused, 1);
    QCOMPARE(editor->count(), 9999);
    QVERIFY(editor->entryTexts().contains("Flour (aisle:3)"));
    QVERIFY(editor->entryTexts().contains(QString(80, QLatin1Char('x'))));
}

void TestMasterListCore::autoAddSkipsKnownKeys()
{
    TestData::DataFolderFixture data;
    writeTable(data, kind("ingr"), { { "0x00000001", "0x0000", "*Saffron Threads", "" } });
    DataSource6 ingr(data.file(TableDef::Ingredients));
    Recordset& rs = ingr.recordset();
    rs.setFilter(RecordStatus::LiveFilter);
    QVERIFY(!MasterIngredients::autoAdd(rs, "saffron threads"));
    QVERIFY(!MasterIngredients::autoAdd(rs, QString()));
    QVERIFY(MasterIngredients::autoAdd(rs, "Mom's Salt"));
    QVERIFY(!MasterIngredients::autoAdd(rs, "moms salt"));
    QVERIFY(MasterIngredients::autoAdd(rs, QString(90, QLatin1Char('y'))));
    QCOMPARE(rs.recordCount(), 3);
    rs.moveLast();
    QCOMPARE(rs.value("IngrMaster").size(), 80);
    QCOMPARE(rs.value("STATUS"), QString("0x0008"));
}

void TestMasterListCore::addAllAddsDuplicatesAndStopsWhenFull()
{
    TestData::DataFolderFixture data;
    writeTable(data, kind("ingr"), numbered(9959));
    DataSource6 ingr(data.file(TableDef::Ingredients));
    Recordset& rs = ingr.recordset();
    rs.setFilter(RecordStatus::LiveFilter);
    bool full = true;
    QCOMPARE(MasterIngredients::addAll(rs, { "Salt", "Salt" }, &full), 2);
    QVERIFY(!full);
    QCOMPARE(MasterIngredients::addAll(rs, { "Pepper", "Thyme" }, &full), 0);
    QVERIFY(full);
    QCOMPARE(rs.recordCount(), 9961);
}

QTEST_GUILESS_MAIN(TestMasterListCore)
#include "test_masterlist_core.moc"
