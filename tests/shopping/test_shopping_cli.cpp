#include "Cli.h"
#include "ShoppingTestData.h"
#include "TestData.h"

#include <QLocale>
#include <QTest>

using namespace ShoppingTestData;

class TestShoppingCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void shopAddRecipeThenPrintAndUnknownRecipe()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients,
               { masterIngredient("Flour", "3"), masterIngredient("Eggs", "Dairy") });
        append(folder.path(), TableDef::Recipes, { recipe("pancakes", "Pancakes", "2|cups|Flour~||OR~3||Eggs~") });
        const auto added = TestCli::run({ "shop", folder.path(), "--add-recipe", "pancakes" });
        QCOMPARE(added.status, 0);
        QCOMPARE(added.out, QStringLiteral("added 2 items\n"));
        const auto printed = TestCli::run({ "shop", folder.path() });
        QCOMPARE(printed.out, QStringLiteral("3\t2\tcups\tFlour\tPancakes\nDairy\t3\t\tEggs\tPancakes\n"));
    }

    void menuAddThenPrint()
    {
        TestData::DataFolderFixture folder;
        QCOMPARE(TestCli::run({ "menu", folder.path(), "--add", "20071225", "Apple Pie", "--meal", "Dinner" }).status,
                 0);
        QCOMPARE(TestCli::run({ "menu", folder.path(), "--add", "20071225", "Eggs", "--meal", "Breakfast" }).status, 0);
        const auto printed = TestCli::run({ "menu", folder.path() });
        QCOMPARE(printed.out,
                 QStringLiteral("12/25 Tue\tEggs\tBreakfast\t20071225breakfast~eggs\n"
                                "12/25 Tue\tApple Pie\tDinner\t20071225dinner~apple pie\n"));
        QCOMPARE(read(folder.path(), TableDef::MenuPlanner, { "MenuKey" }).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestShoppingCli)
#include "test_shopping_cli.moc"
