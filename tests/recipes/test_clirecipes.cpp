#include "Cli.h"
#include "RecipeTestData.h"
#include "TestData.h"
#include "storage/DataSource.h"

#include <QtTest>

// Runs the command-line tool's list and show commands on a small data folder.
class TestCliRecipes : public QObject
{
    Q_OBJECT

    TestData::DataFolderFixture m_data;

    static TestCli::Run run(const QStringList& args) { return TestCli::run(args); }

private slots:
    void initTestCase()
    {
        DataSource1 recipes(m_data.file(TableDef::Recipes));
        TestRecipe soup("Leek Soup", "leek soup", "0x0000", "0x1", "Soups~", "2|cups|leek~1||potato~");
        soup.rtgSrc = QStringLiteral("Good~~Mom");
        soup.instructions = QStringLiteral("Chop.\r\nSimmer.");
        addRecipe(recipes.recordset(), soup);
        addRecipe(recipes.recordset(), { "Mom's Pie", "moms pie", "0x0008", "0x0", "", "1||apple~" });
        addRecipe(recipes.recordset(), { "Old Stew", "old stew", "0x0002" });
        QVERIFY(recipes.save());
    }

    void list_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("all") << QStringList {} << 0 << "Listing All: (2 Recipes)\nLeek Soup\nMom's Pie\n";
        QTest::newRow("quote in name") << QStringList { "--name", "mom's" } << 0
                                       << "Search Results: (1 Recipes)\nMom's Pie\n";
        QTest::newRow("and") << QStringList { "--name", "soup", "--ingredient", "apple" } << 1
                             << "No records were found matching this search.\n";
        QTest::newRow("or") << QStringList { "--name", "soup", "--ingredient", "apple", "--or" } << 0
                            << "Search Results: (2 Recipes)\nLeek Soup\nMom's Pie\n";
        QTest::newRow("every other field")
            << QStringList { "--category2", "soups", "--instructions", "chop", "--rating", "good", "--source", "mom" }
            << 0 << "Search Results: (1 Recipes)\nLeek Soup\n";
    }
    void list()
    {
        QFETCH(QStringList, options);
        QFETCH(int, code);
        QFETCH(QString, out);
        const TestCli::Run r = run(QStringList { "list", m_data.path() } + options);
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, code);
    }

    void show()
    {
        const TestCli::Run r = run({ "show", m_data.path(), "leek soup" });
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out,
                 QStringLiteral("Name: Leek Soup\nCategories: Soups\nServes: \nIngredients:\n  2\tcups\tleek\n"
                                "  1\t\tpotato\nInstructions:\nChop.\nSimmer.\nNutrition:\nRating: Good\n"
                                "Source: Mom\nPicture: \n"));
        QCOMPARE(run({ "show", m_data.path(), "Old Stew" }).status, 1); // deleted
        QCOMPARE(run({ "list", m_data.path() + "/missing" }).status, 2);
    }
};

QTEST_MAIN(TestCliRecipes)
#include "test_clirecipes.moc"
