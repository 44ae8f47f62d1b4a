#include "RecipeTestData.h"
#include "TestData.h"
#include "recipes/RecipeEncodings.h"
#include "recipes/RecipeKeyIndex.h"
#include "recipes/RecipeSave.h"
#include "recipes/RecipeTable.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"

#include <QtTest>

using Lines = QVector<ItemLine>;
Q_DECLARE_METATYPE(Lines)

class TestRecipeCore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestData::DataFolderFixture> m_folder;
    std::unique_ptr<DataSource1> m_source;
    Recordset& rs() { return m_source->recordset(); }
    static QString live() { return QStringLiteral("STATUS <> '0x0002'"); }

    QStringList statuses(const QString& name)
    {
        QStringList out;
        for (const auto* row : rs().recordsInSortOrder()) {
            if (row->at(3) == name)
                out << row->at(1) + QLatin1Char('/') + row->at(2) + QLatin1Char('/') + row->at(0);
        }
        return out;
    }

private slots:
    void init()
    {
        m_source.reset();
        m_folder = std::make_unique<TestData::DataFolderFixture>();
        m_source = std::make_unique<DataSource1>(m_folder->file(TableDef::Recipes));
    }

    void itemLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("joined");
        QTest::newRow("two lines") << "2|cups|flour~1/2|tsp|salt~"
                                   << Lines { { "2", "cups", "flour" }, { "1/2", "tsp", "salt" } }
                                   << "2|cups|flour~1/2|tsp|salt~";
        QTest::newRow("no final tilde drops the tail")
            << "2|cups|flour~salt" << Lines { { "2", "cups", "flour" } } << "2|cups|flour~";
        QTest::newRow("no bars goes to quantity")
            << "a pinch of salt~" << Lines { { "a pinch of salt", "", "" } } << "a pinch of salt||~";
        QTest::newRow("double tilde gives empty row")
            << "1|a|b~~" << Lines { { "1", "a", "b" }, { "", "", "" } } << "1|a|b~||~";
    }
    void itemLines()
    {
        QFETCH(QString, text);
        QFETCH(Lines, lines);
        QFETCH(QString, joined);
        QCOMPARE(splitItemLines(text), lines);
        LineGrid grid;
        grid.setFromText(text);
        QCOMPARE(grid.rowCount(), lines.size() + 1);
        QCOMPARE(grid.toText(), joined);
    }

    void gridCells()
    {
        LineGrid grid(splitItemLines(QStringLiteral("2|cups|flour~1/2|tsp|salt~")));
        QCOMPARE(gridIndex(2, 1), 7);
        QCOMPARE(grid.cell(gridIndex(2, 1)), QStringLiteral("tsp"));
        grid.setCell(gridIndex(1, 2), QStringLiteral("bread flour"));
        grid.setCell(gridIndex(0, 0), QStringLiteral("ignored"));
        grid.removeRow(2);
        QCOMPARE(grid.toText(), QStringLiteral("2|cups|bread flour~"));
        QCOMPARE(grid.cell(gridIndex(0, 0)), QStringLiteral("Qty"));
    }

    void categoriesAndRtgSrc()
    {
        // An empty piece is skipped; a piece without its closing tilde is dropped.
        QCOMPARE(splitCategories(QStringLiteral("Desserts~~Quick~")), (QStringList { "Desserts", "Quick" }));
        QCOMPARE(splitCategories(QStringLiteral("Desserts~Quick")), QStringList { "Desserts" });
        QCOMPARE(joinCategories({ "Desserts", "Quick" }), QStringLiteral("Desserts~Quick~"));
        QStringList split;
        for (const char* text : { "Good~~Mom", "~~Mom", "ab", "A~~b~~c", "Grandma" }) {
            const RatingSource r = splitRtgSrc(QString::fromUtf8(text));
            split << r.rating + QLatin1Char('|') + r.source;
        }
        // Too short to hold a separator: nothing; no separator: shown whole as the source.
        QCOMPARE(split, (QStringList { "Good|Mom", "|Mom", "|", "A|b~~c", "|Grandma" }));
        QCOMPARE(composeRtgSrc(QString(), QString()) + composeRtgSrc(QStringLiteral("Good"), QString()),
                 QStringLiteral("~~Good~~"));
    }

    void uniqueKey_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("free") << QStringList {} << "Mom's *Best* Pie" << QString("moms best pie");
        QTest::newRow("taken") << QStringList { "apple pie" } << "Apple Pie" << QString("apple pi2");
        QTest::newRow("counter grows past nine")
            << QStringList { "apple pie", "apple pi2", "apple pi3", "apple pi4", "apple pi5",
                             "apple pi6", "apple pi7", "apple pi8", "apple pi9", "apple pi10" }
            << "Apple Pie" << QString("apple pi111");
        QTest::newRow("only stars and quotes, empty key taken") << QStringList { "" } << "*'*" << QString("2");
    }
    void uniqueKey()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, name);
        QFETCH(QString, key);
        for (const QString& k : existing)
            addRecipe(rs(), { k, k, QStringLiteral("0x0002") }); // deleted records count too
        rs().setFilter(live());
        QCOMPARE(RecipeTable::uniqueKey(rs(), name), key);
        QCOMPARE(rs().filter(), live());
        RecipeKeyIndex index; // the index agrees with the table walk
        index.sync(rs());
        QCOMPARE(RecipeTable::uniqueKey(index, name), key);
    }

    void keyIndexFollowsOtherAdditions()
    {
        addRecipe(rs(), { "Tart", "tart" });
        rs().setFilter(live());
        RecipeKeyIndex index;
        index.sync(rs());
        // Records added behind its back (an import) are picked up on the next sync.
        addRecipe(rs(), { "New One", "new one" });
        index.sync(rs());
        QCOMPARE(RecipeTable::uniqueKey(index, QStringLiteral("new one")), QStringLiteral("new on2"));

        // A save that adds while someone else also added must not leave the index believing it is complete.
        RecipeSaveInput in;
        in.fields = RecipeRecord::blank();
        in.fields.name = QStringLiteral("Brand New");
        in.adding = true;
        addRecipe(rs(), { "Hidden", "hidden" });
        saveRecipe(rs(), in, live(), &index);
        QCOMPARE(RecipeTable::uniqueKey(index, QStringLiteral("hidden")), QStringLiteral("hidde2"));
        QCOMPARE(RecipeTable::uniqueKey(index, QStringLiteral("Brand New")), QStringLiteral("brand ne2"));
    }

    void saveStatusRules_data()
    {
        QTest::addColumn<QString>("oldStatus");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("expected"); // status/key/id of records named "Pie" then newName
        QTest::addColumn<bool>("indexed");
        const auto row
            = [](const char* tag, const char* status, const char* name, QStringList expected, bool indexed = false) {
                  QTest::newRow(tag) << QString(status) << QString(name) << expected << indexed;
              };
        row("synchronised, edited", "0x0000", "Pie", { "0x0004/pie/0x00000011" });
        row("new, edited", "0x0008", "Pie", { "0x0008/pie/0x00000011" });
        row("new, renamed", "0x0008", "Tart", { "0x0008/tart/0x00000011" });
        row("synchronised, renamed", "0x0000", "Tart", { "0x0002/pie/0x00000011", "0x0008/tart/0x00000011" }, true);
        row("case change only", "0x0000", "PIE", { "0x0002/pie/0x00000011", "0x0008/pi2/0x00000011" });
    }

    void saveStatusRules()
    {
        QFETCH(QString, oldStatus);
        QFETCH(QString, newName);
        QFETCH(QStringList, expected);
        QFETCH(bool, indexed);
        addRecipe(rs(), { "Other", "other" });
        TestRecipe pie { "Pie", "pie", oldStatus };
        pie.other1 = QStringLiteral("x");
        pie.category = QStringLiteral("Pies~");
        addRecipe(rs(), pie);
        rs().setFilter(live());
        QVERIFY(RecipeTable::findKey(rs(), QStringLiteral("pie")));
        RecipeSaveInput in;
        in.fields = RecipeRecord::fromCurrent(rs());
        in.savedName = in.fields.name;
        in.fields.name = newName;
        in.fields.ingredients = QStringLiteral("1|c|apple~");
        RecipeKeyIndex index;
        const RecipeSaveResult r = saveRecipe(rs(), in, live(), indexed ? &index : nullptr);
        QCOMPARE(r.kind, newName == QLatin1String("Pie") ? RecipeSaveResult::Updated : RecipeSaveResult::Added);
        QCOMPARE(rs().filter(), live());
        QStringList got = statuses(QStringLiteral("Pie")) + (newName == "Pie" ? QStringList {} : statuses(newName));
        QCOMPARE(got, expected);
        // Other1 is never lost
        rs().setFilter(live());
        QVERIFY(RecipeTable::findKey(rs(), r.key));
        QCOMPARE(rs().value(QStringLiteral("Other1")) + rs().value(QStringLiteral("Category")),
                 QStringLiteral("xPies~"));
        QCOMPARE(rs().value(QStringLiteral("Ingredients")), QStringLiteral("1|c|apple~"));
        QCOMPARE(statuses(QStringLiteral("Other")), QStringList { "0x0000/other/0x00000011" });
    }

    void sharedKeysAddressTheirOwnRecord()
    {
        // An import can bring two records with one key; each list entry must reach its own record.
        addRecipe(rs(), { "Pie", "pie", "0x0000", "0x1", "", "A~" });
        addRecipe(rs(), { "Pie", "pie", "0x0000", "0x2", "", "B~" });
        const RecipeListing l = listRecipes(rs(), SearchCriteria());
        QVERIFY(RecipeTable::findListEntry(rs(), l.keys, 1));
        QCOMPARE(rs().value(QStringLiteral("REC_ID")), QStringLiteral("0x2"));
        QCOMPARE(RecipeTable::deleteEntries(rs(), l.keys, { 1 }), 1);
        QCOMPARE(statuses(QStringLiteral("Pie")), (QStringList { "0x0000/pie/0x1", "0x0002/pie/0x2" }));
    }

    void deleteEntries()
    {
        addRecipe(rs(), { "A", "a", "0x0008" });
        addRecipe(rs(), { "B", "b", "0x0000" });
        addRecipe(rs(), { "C", "c", "0x0004" });
        const RecipeListing l = listRecipes(rs(), SearchCriteria());
        QCOMPARE(RecipeTable::deleteEntries(rs(), l.keys, { 0, 1, 2 }), 3);
        QCOMPARE(rs().totalRecordCount(), 2);
        QCOMPARE(statuses("B") + statuses("C"), (QStringList { "0x0002/b/0x00000011", "0x0002/c/0x00000011" }));
        QCOMPARE(RecipeTable::liveCount(rs()), 0);
    }

    void duplicates_data()
    {
        QTest::addColumn<QStringList>("recipes"); // name|ingredients, in list order; the key is the name in lower case
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("compared with the previous only")
            << QStringList { "Pie|A", "Pie|B", "Pie|A" } << QStringList { "Pie", "Pie", "Pie" };
        QTest::newRow("empty first recipe kept") << QStringList { "|", "x|x" } << QStringList { "", "x" };
    }
    void duplicates()
    {
        QFETCH(QStringList, recipes);
        QFETCH(QStringList, remaining);
        int id = 1;
        for (const QString& r : recipes) {
            const QStringList p = r.split(QLatin1Char('|'));
            addRecipe(rs(), { p[0], p[0].toLower(), "0x0000", QString::number(id++), "", p[1] });
        }
        RecipeTable::deleteDuplicates(rs(), listRecipes(rs(), SearchCriteria()).keys);
        QCOMPARE(listRecipes(rs(), SearchCriteria()).names, remaining);
    }
};

QTEST_MAIN(TestRecipeCore)
#include "test_recipecore.moc"
