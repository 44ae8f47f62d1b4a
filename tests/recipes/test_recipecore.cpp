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

namespace {
QString live()
{
    return QStringLiteral("STATUS <> '0x0002'");
}
} // namespace

class TestRecipeCore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestData::DataFolderFixture> m_folder;
    std::unique_ptr<DataSource1> m_source;
    Recordset& rs() { return m_source->recordset(); }

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
        m_folder = std::make_unique<TestData::DataFolderFixture>();
        m_source = std::make_unique<DataSource1>(m_folder->file(TableDef::Recipes));
    }
    void cleanup()
    {
        m_source.reset();
        m_folder.reset();
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
        QTest::newRow("fourth part dropped")
            << "1|cup|rice|cooked~" << Lines { { "1", "cup", "rice" } } << "1|cup|rice~";
        QTest::newRow("empty") << "" << Lines {} << "";
        QTest::newRow("double tilde gives empty row")
            << "1|a|b~~" << Lines { { "1", "a", "b" }, { "", "", "" } } << "1|a|b~||~";
        QTest::newRow("quotes kept") << "1|\"|it's~" << Lines { { "1", "\"", "it's" } } << "1|\"|it's~";
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
        QCOMPARE(grid.cell(gridIndex(0, 2)), QStringLiteral("Item"));
        QCOMPARE(grid.cell(gridIndex(2, 1)), QStringLiteral("tsp"));
        grid.setCell(gridIndex(1, 2), QStringLiteral("bread flour"));
        grid.setCell(gridIndex(0, 0), QStringLiteral("ignored"));
        grid.removeRow(2);
        QCOMPARE(grid.toText(), QStringLiteral("2|cups|bread flour~"));
        QCOMPARE(grid.cell(gridIndex(0, 0)), QStringLiteral("Qty"));
    }

    void categories_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("joined");
        QTest::newRow("two") << "Desserts~Quick~" << QStringList { "Desserts", "Quick" } << "Desserts~Quick~";
        QTest::newRow("empty piece skipped")
            << "Desserts~~Quick~" << QStringList { "Desserts", "Quick" } << "Desserts~Quick~";
        QTest::newRow("no final tilde") << "Desserts~Quick" << QStringList { "Desserts" } << "Desserts~";
        QTest::newRow("empty") << "" << QStringList {} << "";
    }
    void categories()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, list);
        QFETCH(QString, joined);
        QCOMPARE(splitCategories(text), list);
        QCOMPARE(joinCategories(splitCategories(text)), joined);
    }

    void rtgSrc_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rating");
        QTest::addColumn<QString>("source");
        QTest::newRow("both") << "Good~~Mom"
                              << "Good"
                              << "Mom";
        QTest::newRow("source only") << "~~Mom"
                                     << ""
                                     << "Mom";
        QTest::newRow("rating only") << "Good~~"
                                     << "Good"
                                     << "";
        QTest::newRow("separator only") << "~~"
                                        << ""
                                        << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("short") << "ab"
                               << ""
                               << "";
        QTest::newRow("tilde in source") << "A~~b~~c"
                                         << "A"
                                         << "b~~c";
        QTest::newRow("no separator shown whole") << "Grandma"
                                                  << ""
                                                  << "Grandma";
    }
    void rtgSrc()
    {
        QFETCH(QString, text);
        QFETCH(QString, rating);
        QFETCH(QString, source);
        const RatingSource split = splitRtgSrc(text);
        QCOMPARE(split.rating, rating);
        QCOMPARE(split.source, source);
        QCOMPARE(composeRtgSrc(QString(), QString()), QStringLiteral("~~"));
    }

    void uniqueKey_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("free") << QStringList {} << "Mom's *Best* Pie"
                              << "moms best pie";
        QTest::newRow("taken") << QStringList { "apple pie" } << "Apple Pie"
                               << "apple pi2";
        QTest::newRow("counter grows past nine")
            << QStringList { "apple pie", "apple pi2", "apple pi3", "apple pi4", "apple pi5",
                             "apple pi6", "apple pi7", "apple pi8", "apple pi9", "apple pi10" }
            << "Apple Pie"
            << "apple pi111";
        QTest::newRow("only stars and quotes, empty key taken") << QStringList { "" } << "*'*"
                                                                << "2";
        QTest::newRow("case of stored key ignored") << QStringList { "Soup" } << "soup"
                                                    << "sou2";
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
        QCOMPARE(rs().recordCount(), 0);
    }

    void keyIndexAgreesWithTableWalk()
    {
        for (const char* k : { "apple pie", "apple pi2", "Soup", "tart" })
            addRecipe(rs(), { k, k, QStringLiteral("0x0002") });
        rs().setFilter(live());
        RecipeKeyIndex index;
        index.sync(rs());
        const QStringList names { "Apple Pie", "SOUP", "Tart", "new one", "*'*" };
        for (const QString& n : names)
            QCOMPARE(RecipeTable::uniqueKey(index, n), RecipeTable::uniqueKey(rs(), n));

        // Records added behind its back (an import) are picked up on the next sync.
        addRecipe(rs(), { "New One", "new one" });
        index.sync(rs());
        QCOMPARE(RecipeTable::uniqueKey(index, QStringLiteral("new one")), QStringLiteral("new on2"));

        // A save that adds while someone else also added must not leave the index believing it is complete.
        addRecipe(rs(), { "Other", "other" });
        RecipeSaveInput in;
        in.fields = RecipeFields::blank();
        in.fields.name = QStringLiteral("Brand New");
        in.adding = true;
        addRecipe(rs(), { "Hidden", "hidden" });
        saveRecipe(rs(), in, live(), &index);
        QCOMPARE(RecipeTable::uniqueKey(index, QStringLiteral("hidden")), QStringLiteral("hidde2"));
        QCOMPARE(RecipeTable::uniqueKey(index, QStringLiteral("Brand New")), QStringLiteral("brand ne2"));
    }

    void filter_data()
    {
        QTest::addColumn<QStringList>("criteria"); // name, cat1, cat2, ingr, instr, source, rating
        QTest::addColumn<bool>("useOr");
        QTest::addColumn<QString>("filter");
        QTest::newRow("none") << QStringList { "", "", "", "", "", "", "" } << false << "STATUS <> '0x0002'";
        QTest::newRow("and, in fixed order")
            << QStringList { "soup", "<blank>", "Quick", "leek", "", "Mom", "" } << false
            << "STATUS <> '0x0002' AND (Category = '' AND Category like '*Quick*' AND Ingredients like '*leek*' "
               "AND Name like '*soup*' AND RtgSrc like '*Mom*')";
        QTest::newRow("or groups") << QStringList { "soup", "", "", "leek", "", "", "" } << true
                                   << "(Ingredients like '*leek*' AND STATUS <> '0x0002') OR (Name like '*soup*' "
                                      "AND STATUS <> '0x0002')";
        QTest::newRow("quotes doubled") << QStringList { "Mom's", "", "", "", "it's", "", "5'" } << false
                                        << "STATUS <> '0x0002' AND (Instructions like '*it''s*' AND Name like "
                                           "'*Mom''s*' AND RtgSrc like '*5''*')";
    }
    void filter()
    {
        QFETCH(QStringList, criteria);
        QFETCH(bool, useOr);
        QFETCH(QString, filter);
        SearchCriteria c;
        c.name = criteria[0];
        c.category1 = criteria[1];
        c.category2 = criteria[2];
        c.ingredient = criteria[3];
        c.instructions = criteria[4];
        c.source = criteria[5];
        c.rating = criteria[6];
        c.combine = useOr ? SearchCriteria::Combine::Or : SearchCriteria::Combine::And;
        QCOMPARE(RecipeListFilter(c), filter);
        rs().setFilter(RecipeListFilter(c)); // the table accepts it
    }

    void listing()
    {
        addRecipe(rs(), { "Mom's Pie", "moms pie" });
        addRecipe(rs(), { "Leek soup", "leek soup", "0x0000", "0x1", "Soups~", "1|c|leek~" });
        addRecipe(rs(), { "Bean soup", "bean soup", "0x0002" });
        addRecipe(rs(), { "apple", "apple", "0x0008", "0x0", "", "1||leek~" });
        SearchCriteria c;
        RecipeListing all = listRecipes(rs(), c);
        QCOMPARE(all.names, (QStringList { "apple", "Leek soup", "Mom's Pie" }));
        QCOMPARE(all.keys, (QStringList { "apple", "leek soup", "moms pie" }));
        QCOMPARE(listStatusText(c, 3), QStringLiteral("Listing All: (3 Recipes)"));
        c.name = QStringLiteral("Mom's");
        QCOMPARE(listRecipes(rs(), c).names, QStringList { "Mom's Pie" });
        QCOMPARE(listStatusText(c, 1), QStringLiteral("Search Results: (1 Recipes)"));
        c.name = QStringLiteral("soup");
        c.ingredient = QStringLiteral("LEEK");
        QCOMPARE(listRecipes(rs(), c).names, QStringList { "Leek soup" });
        c.combine = SearchCriteria::Combine::Or;
        QCOMPARE(listRecipes(rs(), c).names, (QStringList { "apple", "Leek soup" }));
        c = SearchCriteria();
        c.category1 = SearchCriteria::blankCategory();
        QCOMPARE(listRecipes(rs(), c).names, (QStringList { "apple", "Mom's Pie" }));
    }

    void saveStatusRules_data()
    {
        QTest::addColumn<QString>("oldStatus");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("expected"); // status/key/id of records named "Pie" then newName
        QTest::addColumn<bool>("indexed");
        for (bool indexed : { false, true }) {
            const char* tag = indexed ? " (indexed)" : "";
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(QString::fromLatin1(name) + QLatin1String(tag)));
            };
            row("synchronised, edited") << "0x0000"
                                        << "Pie" << QStringList { "0x0004/pie/0x00000011" } << indexed;
            row("new, edited") << "0x0008"
                               << "Pie" << QStringList { "0x0008/pie/0x00000011" } << indexed;
            row("changed, edited") << "0x0004"
                                   << "Pie" << QStringList { "0x0004/pie/0x00000011" } << indexed;
            row("synchronised, renamed") << "0x0000"
                                         << "Tart" << QStringList { "0x0002/pie/0x00000011", "0x0008/tart/0x00000011" }
                                         << indexed;
            row("new, renamed") << "0x0008"
                                << "Tart" << QStringList { "0x0008/tart/0x00000011" } << indexed;
            row("case change only") << "0x0000"
                                    << "PIE" << QStringList { "0x0002/pie/0x00000011", "0x0008/pi2/0x00000011" }
                                    << indexed;
            row("new, case change only") << "0x0008"
                                         << "PIE" << QStringList { "0x0008/pie/0x00000011" } << indexed;
        }
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
        addRecipe(rs(), pie);
        rs().setFilter(live());
        QVERIFY(RecipeTable::findKey(rs(), QStringLiteral("pie")));
        RecipeSaveInput in;
        in.fields = RecipeFields::fromCurrent(rs());
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
        QCOMPARE(rs().value(QStringLiteral("Other1")), QStringLiteral("x"));
        QCOMPARE(rs().value(QStringLiteral("Ingredients")), QStringLiteral("1|c|apple~"));
        QCOMPARE(statuses(QStringLiteral("Other")), QStringList { "0x0000/other/0x00000011" });
    }

    void saveNewAndEmptyName()
    {
        addRecipe(rs(), { "Apple Pie", "apple pie", "0x0002" });
        rs().setFilter(live());
        RecipeSaveInput in;
        in.fields = RecipeFields::blank();
        in.adding = true;
        QCOMPARE(saveRecipe(rs(), in, live()).kind, RecipeSaveResult::EmptyName);
        QCOMPARE(rs().totalRecordCount(), 1);
        in.fields.name = QStringLiteral("Apple Pie");
        in.fields.rating = QStringLiteral("Good");
        RecipeKeyIndex index;
        const RecipeSaveResult r = saveRecipe(rs(), in, live(), &index);
        QCOMPARE(r.key, QStringLiteral("apple pi2"));
        QCOMPARE(statuses(QStringLiteral("Apple Pie")),
                 (QStringList { "0x0002/apple pie/0x00000011", "0x0008/apple pi2/0x00000000" }));
        QVERIFY(RecipeTable::findKey(rs(), r.key));
        QCOMPARE(rs().value(QStringLiteral("RtgSrc")), QStringLiteral("Good~~"));
    }

    void sharedKeysAddressTheirOwnRecord()
    {
        // An import can bring two records with one key; each list entry must reach its own record.
        addRecipe(rs(), { "Pie", "pie", "0x0000", "0x1", "", "A~" });
        addRecipe(rs(), { "Pie", "pie", "0x0000", "0x2", "", "B~" });
        SearchCriteria c;
        const RecipeListing l = listRecipes(rs(), c);
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
        QCOMPARE(listRecipes(rs(), SearchCriteria()).names, QStringList {});
    }

    void duplicates_data()
    {
        QTest::addColumn<QStringList>("recipes"); // name|key|ingredients|status, in list order
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("three equal") << QStringList { "Pie|pie|A|0x0000", "Pie|pie|A|0x0008", "Pie|pie|A|0x0000" }
                                     << QStringList { "Pie" };
        QTest::newRow("different ingredients")
            << QStringList { "Pie|pie|A|0x0000", "Pie|pie|B|0x0000" } << QStringList { "Pie", "Pie" };
        QTest::newRow("different keys") << QStringList { "Pie|pie|A|0x0000", "Pie|pi2|A|0x0000" }
                                        << QStringList { "Pie", "Pie" };
        QTest::newRow("compared with the previous only")
            << QStringList { "Pie|pie|A|0x0000", "Pie|pie|B|0x0000", "Pie|pie|A|0x0000" }
            << QStringList { "Pie", "Pie", "Pie" };
        QTest::newRow("case matters") << QStringList { "Pie|pie|A|0x0000", "PIE|pie|A|0x0000" }
                                      << QStringList { "Pie", "PIE" };
        QTest::newRow("empty first recipe kept")
            << QStringList { "||| 0x0000", "x|x|x|0x0000" } << QStringList { "", "x" };
    }
    void duplicates()
    {
        QFETCH(QStringList, recipes);
        QFETCH(QStringList, remaining);
        int id = 1;
        for (const QString& r : recipes) {
            const QStringList p = r.split(QLatin1Char('|'));
            addRecipe(rs(), { p[0], p[1], p[3].trimmed(), QString::number(id++), "", p[2] });
        }
        const RecipeListing l = listRecipes(rs(), SearchCriteria());
        RecipeTable::deleteDuplicates(rs(), l.keys);
        QCOMPARE(listRecipes(rs(), SearchCriteria()).names, remaining);
    }
};

QTEST_MAIN(TestRecipeCore)
#include "test_recipecore.moc"
