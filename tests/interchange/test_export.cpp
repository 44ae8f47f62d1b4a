#include "TestPaths.h"

#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "recipes/RecipeEncodings.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QBuffer>
#include <QFile>
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
    r.rating = QStringLiteral("Good");
    r.source = QStringLiteral("Mom");
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
        QTest::addColumn<QString>("rating");
        QTest::addColumn<QString>("source");
        QTest::newRow("source only") << "~~Mom"
                                     << ""
                                     << "Mom";
        QTest::newRow("rating only") << "Good~~"
                                     << "Good"
                                     << "";
        QTest::newRow("two characters") << "ab"
                                        << ""
                                        << "";
        QTest::newRow("no separator, shown whole") << "XMom"
                                                   << ""
                                                   << "XMom";
    }

    // Both writers show the field as the recipe window and the printed report decode it.
    void ratingAndSource()
    {
        QFETCH(QString, rtgSrc);
        QFETCH(QString, rating);
        QFETCH(QString, source);
        RecipeRecord r = sample();
        const RatingSource packed = splitRtgSrc(rtgSrc);
        r.rating = packed.rating;
        r.source = packed.source;
        const QString mm = MealMasterFormat::recipeText(r);
        QCOMPARE(mm.contains(QStringLiteral("\r\n  Source: ") + source + QStringLiteral("\r\n")), !source.isEmpty());
        QCOMPARE(mm.contains(QStringLiteral("\r\n  Rating: ") + rating + QStringLiteral("\r\n")), !rating.isEmpty());
        QVERIFY(MasterCookFormat::recipeText(r).contains(QStringLiteral("\r\nRecipe By     : ") + source
                                                         + QStringLiteral("\r\n")));
    }

    void ingredientLine_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<QString>("line");
        const int mm = int(ExportLayout::MealMaster);
        QTest::newRow("MasterCook keeps a wide quantity")
            << int(ExportLayout::MasterCook) << "1 1/2 - 2 1/2|cups|flour~"
            << "1 1/2 - 2 1/2          cups  flour";
        QTest::newRow("Meal-Master code for cup") << mm << "1|cup|milk~"
                                                  << "      1 c  milk";
        QTest::newRow("pound") << mm << "2|pound|beef~"
                               << "      2 lb beef";
        QTest::newRow("ounces") << mm << "4|ounces|cheese~"
                                << "      4 oz cheese";
        QTest::newRow("tablespoon") << mm << "1|tablespoon|oil~"
                                    << "      1 tb oil";
        QTest::newRow("T stays") << mm << "1|T|sugar~"
                                 << "      1 T  sugar";
        QTest::newRow("unknown unit: two characters") << mm << "3|handfuls|herbs~"
                                                      << "      3 ha herbs";
        QTest::newRow("Meal-Master wide quantity goes to the item") << mm << "1 1/2 - 2 1/2|c|flour~"
                                                                    << "           1 1/2 - 2 1/2 c flour";
    }

    void ingredientLine()
    {
        QFETCH(int, layout);
        QFETCH(QString, ingredients);
        QFETCH(QString, line);
        RecipeRecord r = sample();
        r.ingredients = ingredients;
        const bool mm = layout == int(ExportLayout::MealMaster);
        const QString text = mm ? MealMasterFormat::recipeText(r) : MasterCookFormat::recipeText(r);
        QCOMPARE(text.split(QStringLiteral("\r\n")).at(mm ? 6 : 10), line);
    }

    // A file of each layout, imported, written in the same layout and imported again, gives the same records.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file :
             { "two_column_heading_continuation.mmf", "two_column_continuation.mmf", "section_line_in_directions.mmf",
               "long_one_column_lines.mmf", "labels_from_column_one.mmf", "nutrition_line_two_recipes.mxp",
               "prep_time_and_exchanges.mxp", "missing_or_empty_ingredient_table.mxp", "tabs_in_ingredient_table.mxp" })
            QTest::newRow(file) << QString::fromLatin1(file);
    }

    void roundTrip()
    {
        QFETCH(QString, file);
        QFile f(QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/") + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        auto first = table(TableDef::Recipes);
        RecipeImporter importer(*first, nullptr);
        LineSource source(f.readAll());
        QVERIFY(importer.run(source, {}).skipped.isEmpty());
        const QVector<RecipeRecord> recipes = RecipeExporter::viewRecipes(*first);
        QVERIFY(!recipes.isEmpty());

        int saved = 0;
        const auto layout = file.endsWith(QLatin1String(".mxp")) ? ExportLayout::MasterCook : ExportLayout::MealMaster;
        auto second = writeAndImport(layout, recipes, &saved);
        QCOMPARE(saved, recipes.size());
        const QStringList fields { "Name", "Category", "Serves", "Ingredients", "Instructions", "Nutrition", "RtgSrc" };
        for (int i = 0; i < recipes.size(); ++i) {
            first->setPosition(i);
            second->setPosition(i);
            for (const QString& field : fields)
                QCOMPARE(second->value(field), first->value(field));
        }
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
        r.category = QStringLiteral("~Breakfast~~Eggs~"); // empty entries are left out
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
