#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QBuffer>
#include <QTest>

#include <memory>

// Export files written to disk, and their write failures, are covered by the window tests and tests/hardening.
namespace {

std::unique_ptr<Recordset> table(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

RecipeRecord sample()
{
    RecipeRecord r;
    r.key = QStringLiteral("buttered toast");
    r.name = QStringLiteral("Buttered Toast");
    r.category = QStringLiteral("Breakfast~Eggs~");
    r.serves = QStringLiteral("2");
    r.ingredients = QStringLiteral("2|tb|butter~1|tsp|salt~");
    r.instructions = QStringLiteral("Toast the bread.");
    r.rtgSrc = QStringLiteral("Good~~Mom");
    return r;
}

// Writes the recipes with the layout's writer and imports the result into a fresh table.
std::unique_ptr<Recordset> writeAndImport(ExportLayout layout, const QVector<RecipeRecord>& recipes, int* saved)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto writer = RecipeExporter::writerFor(layout);
    for (const RecipeRecord& r : recipes)
        if (!writer->write(buffer, r))
            qFatal("write to a buffer failed");
    auto imported = table(TableDef::Recipes);
    RecipeImporter importer(*imported, nullptr);
    LineSource source(buffer.data());
    *saved = importer.run(source, {}).saved;
    return imported;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mealMasterRecordLineForLine()
    {
        RecipeRecord r = sample();
        r.nutrition = QStringLiteral("226||Calories~8|g|Fat~");
        QCOMPARE(MealMasterFormat::recipeText(r),
                 QStringLiteral("---------- Export to Meal-Master from Zestora\r\n\r\n"
                                "      Title: Buttered Toast\r\n Categories: Breakfast, Eggs\r\n"
                                "      Yield: 2 servings\r\n\r\n      2 tb butter\r\n      1 ts salt\r\n\r\n"
                                "  Toast the bread.\r\n  Source: Mom\r\n  Rating: Good\r\n\r\n"
                                "  Per Serving (excluding unknown items): 226 Calories;8g Fat.\r\n\r\n-----\r\n\r\n"));
    }

    void mealMasterLongItemContinues()
    {
        RecipeRecord r = sample();
        r.ingredients = QStringLiteral("1|c|Chopped fresh parsley, or dried basil leaves~");
        const QStringList lines = MealMasterFormat::recipeText(r).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(6), QStringLiteral("      1 c  Chopped fresh parsley, or"));
        QCOMPARE(lines.at(7), QStringLiteral("           -dried basil leaves"));
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

    void masterCookRecordLineForLine()
    {
        const QString title = QString(30, QLatin1Char(' ')) + QStringLiteral("Buttered Toast");
        QCOMPARE(MasterCookFormat::recipeText(sample()),
                 QStringLiteral("* Exported from MasterCook *\r\n\r\n") + title
                     + QStringLiteral("\r\n\r\nRecipe By     : Mom\r\nServing Size  : 2\r\n"
                                      "Categories    : Breakfast     Eggs\r\n\r\n"
                                      "  Amount  Measure       Ingredient -- Preparation Method\r\n"
                                      "--------  ------------  --------------------------------\r\n"
                                      "       2            tb  butter\r\n       1           tsp  salt\r\n\r\n"
                                      "Toast the bread.\r\n  Rating: Good\r\n\r\n"
                                      "                   - - - - - - - - - - - - - - - - - -\r\n\r\n"));
    }

    void titleIndent_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("indent");
        QTest::newRow("half rounds down to even") << 10 << 32; // 32.5
        QTest::newRow("half rounds up to even") << 12 << 32; // 31.5
        QTest::newRow("longer than 75") << 90 << 0;
    }

    void titleIndent()
    {
        QFETCH(int, length);
        QFETCH(int, indent);
        QCOMPARE(MasterCookFormat::titleIndent(length), indent);
    }

    void ratingAndSource_data()
    {
        QTest::addColumn<QString>("rtgSrc");
        QTest::addColumn<QString>("ratingAndSource");
        QTest::newRow("source only") << "~~Mom"
                                     << "|Mom";
        QTest::newRow("rating only") << "Good~~"
                                     << "Good|";
        QTest::newRow("two characters") << "ab"
                                        << "|";
    }

    void ratingAndSource()
    {
        QFETCH(QString, rtgSrc);
        QFETCH(QString, ratingAndSource);
        RecipeRecord r;
        r.rtgSrc = rtgSrc;
        QCOMPARE(r.rating() + QLatin1Char('|') + r.source(), ratingAndSource);
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("Meal-Master") << int(ExportLayout::MealMaster);
        QTest::newRow("MasterCook") << int(ExportLayout::MasterCook);
    }

    void roundTrip()
    {
        QFETCH(int, layout);
        RecipeRecord a = sample();
        a.ingredients
            = QStringLiteral("1 1/2|c|flour~||---SAUCE---~2|tb|butter, or more if you really like it~3||eggs~");
        a.instructions = QStringLiteral("Mix well. ") + QString(30, QLatin1Char('x'))
            + QStringLiteral(" and then some more words to wrap the line.");
        RecipeRecord b;
        b.name = QStringLiteral("Plain");
        b.serves = QStringLiteral("4");
        b.ingredients = QStringLiteral("1|c|water~");
        RecipeRecord c = sample();
        c.category = QStringLiteral("One~Two~Three~");
        c.ingredients = QStringLiteral("2|tb|butter~1|ts|salt~"); // Meal-Master units hold two characters
        const QVector<RecipeRecord> recipes { a, b, c };

        int saved = 0;
        auto imported = writeAndImport(static_cast<ExportLayout>(layout), recipes, &saved);
        QCOMPARE(saved, 3);
        const QStringList expectedNames { "Buttered Toast", "Plain", "Buttered Toast #2" };
        for (int i = 0; i < 3; ++i) {
            imported->setPosition(i);
            QCOMPARE(imported->value("Name"), expectedNames.at(i));
            QCOMPARE(imported->value("Serves"), recipes.at(i).serves);
            QCOMPARE(imported->value("Category"), recipes.at(i).category);
            QCOMPARE(imported->value("Ingredients"), recipes.at(i).ingredients);
        }
    }

    void masterCookNutritionRoundTrip()
    {
        RecipeRecord r = sample();
        r.nutrition = QStringLiteral("226||Calories~8|g|Fat~32.0|%|calories from fat~");
        int saved = 0;
        auto imported = writeAndImport(ExportLayout::MasterCook, { r }, &saved);
        imported->moveFirst();
        QCOMPARE(imported->value("Nutrition"), r.nutrition);
        QCOMPARE(imported->value("RtgSrc"), QStringLiteral("~~Mom"));
    }

    void selectedRecipesInKeyOrder()
    {
        auto rs = table(TableDef::Recipes);
        rs->appendRecord({ "0x1", "0x0000", "a", "A" });
        rs->appendRecord({ "0x2", "0x0002", "b", "B deleted" });
        rs->appendRecord({ "0x3", "0x0000", "c", "C" });
        rs->setPosition(1);
        const auto picked = RecipeExporter::recipesByKey(*rs, { "C", "b", "a", "zzz" });
        QCOMPARE(picked.size(), 2);
        QCOMPARE(picked.at(0).name, QStringLiteral("C"));
        QCOMPARE(picked.at(1).name, QStringLiteral("A"));
        QCOMPARE(rs->position(), 1);
        QCOMPARE(RecipeExporter::viewRecipes(*rs).size(), 3);
    }

    void recipeText()
    {
        RecipeRecord r = sample();
        QCOMPARE(PlainTextExports::recipeText(r),
                 QStringLiteral("\r\nRecipe Name: Buttered Toast\r\n\r\nCategories: Breakfast, Eggs\r\nServes: "
                                "2\r\n\r\nIngredients: \r\n2\ttb\tbutter\r\n1\ttsp\tsalt\r\n\r\nInstructions: "
                                "\r\nToast the bread.\r\n\r\nThis recipe exported by Zestora Plus - "
                                "www.zestoraplus.com"));
        r.nutrition = QStringLiteral("226||Calories~");
        QVERIFY(PlainTextExports::recipeText(r).contains(
            QStringLiteral("\r\nNutritional Information: \r\n226\t\tCalories\r\n\r\nThis recipe")));
    }

    void shoppingListAndMenuTexts()
    {
        auto shop = table(TableDef::ShoppingList);
        shop->appendRecord({ "0x1", "0x0000", "milk", "Dairy", "milk", "1", "qt", "" });
        shop->appendRecord({ "0x2", "0x0002", "beer", "Drink", "beer", "6", "", "" });
        shop->appendRecord({ "0x3", "0x0008", "eggs", "Dairy", "eggs", "12", "", "" });
        QCOMPARE(PlainTextExports::shoppingListText(*shop),
                 QStringLiteral("\r\nShopping List - Zestora\r\n\r\nDairy\teggs (12 )\r\nDairy\tmilk (1 qt)\r\n"));
        auto menu = table(TableDef::MenuPlanner);
        menu->appendRecord({ "0x1", "0x0000", "20070315dinner", "20070315", "Dinner", "Stew" });
        menu->appendRecord({ "0x1", "0x0000", "20070301lunch", "20070301", "Lunch", "Soup" });
        QCOMPARE(PlainTextExports::menuPlannerText(*menu),
                 QStringLiteral("\r\nMenu Planner - Zestora\r\n\r\n03/01\tSoup\r\n03/15\tStew\r\n"));
    }

    void splashShopperLine_data()
    {
        // qty, units, aisle, ingredient, note, then the line; the window test covers "1/2 cup" and a note.
        QTest::addColumn<QStringList>("row");
        QTest::newRow("mixed number") << QStringList { "1 1/2", "", "", "flour", "", "- 1.5@ flour" };
        QTest::newRow("no quantity") << QStringList { "", "", "", "salt", "", "- salt" };
        QTest::newRow("units cut to 4") << QStringList { "3", "pounds", "", "beef", "", "- 3@ u:poun beef" };
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
