#include "TestData.h"

#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "recipes/RecipeEncodings.h"
#include "storage/Recordset.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

RecipeRecord sample()
{
    RecipeRecord r;
    r.key = QStringLiteral("buttered toast");
    r.name = QStringLiteral("Buttered Toast");
    r.category = QStringLiteral("Breakfast~Eggs~");
    r.serves = QStringLiteral("2");
    r.ingredients = QStringLiteral("2|tb|butter~1|tsp|salt~");
    r.instructions = QStringLiteral("Toast the bread.");
    r.rating = QStringLiteral("Good");
    r.source = QStringLiteral("Mom");
    return r;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordsLineForLine()
    {
        RecipeRecord r = sample();
        r.nutrition = QStringLiteral("226||Calories~8|g|Fat~");
        QCOMPARE(MealMasterFormat::recipeText(r),
                 QStringLiteral("---------- Export to Meal-Master from Zestora\r\n\r\n"
                                "      Title: Buttered Toast\r\n Categories: Breakfast, Eggs\r\n"
                                "      Yield: 2 servings\r\n\r\n      2 tb butter\r\n      1 ts salt\r\n\r\n"
                                "  Toast the bread.\r\n  Source: Mom\r\n  Rating: Good\r\n\r\n"
                                "  Per Serving (excluding unknown items): 226 Calories;8g Fat.\r\n\r\n-----\r\n\r\n"));
        QCOMPARE(MasterCookFormat::recipeText(sample()),
                 QString(30, QLatin1Char(' ')).prepend(QStringLiteral("* Exported from MasterCook *\r\n\r\n"))
                     + QStringLiteral("Buttered Toast\r\n\r\nRecipe By     : Mom\r\nServing Size  : 2\r\n"
                                      "Categories    : Breakfast     Eggs\r\n\r\n"
                                      "  Amount  Measure       Ingredient -- Preparation Method\r\n"
                                      "--------  ------------  --------------------------------\r\n"
                                      "       2            tb  butter\r\n       1           tsp  salt\r\n\r\n"
                                      "Toast the bread.\r\n  Rating: Good\r\n\r\n"
                                      "                   - - - - - - - - - - - - - - - - - -\r\n\r\n"));
    }

    void wrapInstructions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        const QString word9 = QStringLiteral("abcdefgh ");
        QTest::newRow("cut after last blank")
            << word9.repeated(10).trimmed()
            << QStringList { "  " + word9.repeated(8).trimmed(), "  abcdefgh abcdefgh" };
        QTest::newRow("no blank: cut at 75")
            << QString(80, QLatin1Char('x')) << QStringList { "  " + QString(75, QLatin1Char('x')), "  xxxxx" };
        QTest::newRow("paragraphs") << "One.\r\n\r\nTwo." << QStringList { "  One.", "", "  Two." };
    }
    void wrapInstructions()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(MealMasterFormat::wrapInstructions(text), lines);
    }

    void titleIndent()
    {
        QCOMPARE(MasterCookFormat::titleIndent(10), 32); // 32.5: half rounds to even
        QCOMPARE(MasterCookFormat::titleIndent(90), 0);
    }

    // Both writers decode the field as the recipe window and the printed report do.
    void ratingAndSource()
    {
        RecipeRecord r = sample();
        r.rating.clear();
        r.source = QStringLiteral("Mom");
        QVERIFY(MealMasterFormat::recipeText(r).contains(QStringLiteral("\r\n  Source: Mom\r\n\r\n")));
        r.rating = QStringLiteral("Good");
        r.source.clear();
        r.instructions = QStringLiteral("Toast.\r\nRecipe By: Dad");
        const QString mc = MasterCookFormat::recipeText(r);
        QVERIFY(mc.contains(QStringLiteral("\r\nRecipe By     : Dad\r\n")));
        QCOMPARE(mc.count(QLatin1String("Recipe By")), 1);
    }

    void ingredientLine_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<QString>("line");
        const auto mm = [](const char* tag, const char* ingredients, const char* line) {
            QTest::newRow(tag) << int(ExportLayout::MealMaster) << ingredients << line;
        };
        QTest::newRow("MasterCook keeps a wide quantity")
            << int(ExportLayout::MasterCook) << "1 1/2 - 2 1/2|cups|flour~"
            << "1 1/2 - 2 1/2          cups  flour";
        mm("Meal-Master code for cup", "1|cup|milk~", "      1 c  milk");
        mm("T stays", "1|T|sugar~", "      1 T  sugar");
        mm("unknown unit: two characters", "3|handfuls|herbs~", "      3 ha herbs");
        mm("wide quantity goes to the item", "1 1/2 - 2 1/2|c|flour~", "           1 1/2 - 2 1/2 c flour");
        mm("entries of three characters or less dropped", "1|c~||~2|tb|butter~", "      2 tb butter");
        mm("long item continues", "1|c|Chopped fresh parsley, or dried basil leaves~",
           "      1 c  Chopped fresh parsley, or\r\n           -dried basil leaves");
    }
    void ingredientLine()
    {
        QFETCH(int, layout);
        QFETCH(QString, ingredients);
        QFETCH(QString, line);
        RecipeRecord r = sample();
        r.ingredients = ingredients;
        const bool mm = layout == int(ExportLayout::MealMaster);
        const QStringList lines
            = (mm ? MealMasterFormat::recipeText(r) : MasterCookFormat::recipeText(r)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(mm ? 6 : 10, int(line.count(QLatin1Char('\n'))) + 1).join(QStringLiteral("\r\n")), line);
    }

    // A file that cannot be made is reported with its reason; the old file stays.
    void exportToFileReports()
    {
        QTemporaryDir dir;
        const QVector<RecipeRecord> recipes { sample(), sample() };
        QList<int> progress;
        const QString path = dir.filePath(QStringLiteral("out.mmf"));
        RecipeExporter::Result r
            = RecipeExporter::exportToFile(path, ExportLayout::MealMaster, recipes, [&](int n) { progress << n; });
        QVERIFY(r.ok && !r.openFailed && r.error.isEmpty() && r.written == 2);
        QCOMPARE(progress, (QList<int> { 1, 2 }));
        r = RecipeExporter::exportToFile(dir.filePath(QStringLiteral("no/such/x.mmf")), ExportLayout::MasterCook,
                                         recipes);
        QVERIFY(!r.ok && r.openFailed && !r.error.isEmpty());
        QVERIFY(TestData::readFile(path).startsWith("---------- Export to Meal-Master"));
    }

    void selectedRecipesInKeyOrder()
    {
        auto rs = TestData::emptyTable(TableDef::Recipes);
        rs->appendRecord({ "0x1", "0x0000", "a", "A" });
        rs->appendRecord({ "0x2", "0x0002", "b", "B deleted" });
        rs->appendRecord({ "0x3", "0x0000", "c", "C" });
        rs->setPosition(1);
        const auto picked = RecipeExporter::recipesByKey(*rs, { "C", "b", "a", "zzz" });
        QCOMPARE(picked.size() == 2 ? picked.at(0).name + picked.at(1).name : QString(), QStringLiteral("CA"));
        QCOMPARE(rs->position(), 1);
    }

    void plainTexts()
    {
        RecipeRecord r = sample();
        r.category = QStringLiteral("~Breakfast~~Eggs~"); // empty entries are left out
        QCOMPARE(PlainTextExports::recipeText(r),
                 QStringLiteral("\r\nRecipe Name: Buttered Toast\r\n\r\nCategories: Breakfast, Eggs\r\nServes: "
                                "2\r\n\r\nIngredients: \r\n2\ttb\tbutter\r\n1\ttsp\tsalt\r\n\r\nInstructions: "
                                "\r\nToast the bread.\r\n\r\nThis recipe exported by Zestora Plus - "
                                "www.zestoraplus.com"));
        r.nutrition = QStringLiteral("226||Calories~");
        QVERIFY(PlainTextExports::recipeText(r).contains(
            QStringLiteral("\r\nNutritional Information: \r\n226\t\tCalories\r\n\r\nThis recipe")));

        auto shop = TestData::emptyTable(TableDef::ShoppingList);
        shop->appendRecord({ "0x1", "0x0000", "milk", "Dairy", "milk", "1", "qt", "" });
        shop->appendRecord({ "0x2", "0x0002", "beer", "Drink", "beer", "6", "", "" });
        shop->appendRecord({ "0x3", "0x0008", "eggs", "Dairy", "eggs", "12", "", "" });
        QCOMPARE(PlainTextExports::shoppingListText(*shop),
                 QStringLiteral("\r\nShopping List - Zestora\r\n\r\nDairy\teggs (12 )\r\nDairy\tmilk (1 qt)\r\n"));
        auto menu = TestData::emptyTable(TableDef::MenuPlanner);
        menu->appendRecord({ "0x1", "0x0000", "20070315dinner", "20070315", "Dinner", "Stew" });
        menu->appendRecord({ "0x1", "0x0000", "20070301lunch", "20070301", "Lunch", "Soup" });
        QCOMPARE(PlainTextExports::menuPlannerText(*menu),
                 QStringLiteral("\r\nMenu Planner - Zestora\r\n\r\n03/01\tSoup\r\n03/15\tStew\r\n"));
    }

    void splashShopperLine_data()
    {
        // qty, units, aisle, ingredient, note, then the line.
        QTest::addColumn<QStringList>("row");
        QTest::newRow("mixed number") << QStringList { "1 1/2", "", "", "flour", "", "- 1.5@ flour" };
        QTest::newRow("units cut to 4") << QStringList { "3", "pounds", "", "beef", "", "- 3@ u:poun beef" };
        QTest::newRow("half, aisle, note")
            << QStringList { "1/2", "cup", "Dairy2x", "milk", "large", "- 0.50@ u:cup a:Dairy milk|large" };
    }
    void splashShopperLine()
    {
        QFETCH(QStringList, row);
        QCOMPARE(PlainTextExports::splashShopperLine(row[0], row[1], row[2], row[3], row[4],
                                                     PlainTextExports::quantityNumber),
                 row[5]);
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
