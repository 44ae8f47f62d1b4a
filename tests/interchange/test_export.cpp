#include "TestData.h"
#include "TestPaths.h"

#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"

#include <QBuffer>
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
    r.rtgSrc = QStringLiteral("Good~~Mom");
    return r;
}

std::unique_ptr<Recordset> import(const QByteArray& bytes, int* saved = nullptr)
{
    auto recipes = TestData::emptyTable(TableDef::Recipes);
    RecipeImporter importer(*recipes, nullptr);
    LineSource source(bytes);
    const ImportResult result = importer.run(source, {});
    if (saved)
        *saved = result.saved;
    return recipes;
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
        QCOMPARE(MasterCookFormat::titleIndent(12), 32); // 31.5
        QCOMPARE(MasterCookFormat::titleIndent(90), 0);
    }

    // Both writers decode the field as the recipe window and the printed report do.
    void ratingAndSource_data()
    {
        QTest::addColumn<QString>("rtgSrc");
        QTest::addColumn<QString>("instructions");
        QTest::addColumn<QString>("rating");
        QTest::addColumn<QString>("source");
        const auto row = [](const char* tag, const char* rtgSrc, const char* rating, const char* source) {
            QTest::newRow(tag) << rtgSrc << "Toast." << rating << source;
        };
        row("source only", "~~Mom", "", "Mom");
        row("rating only", "Good~~", "Good", "");
        row("two characters", "ab", "", "");
        row("no separator, shown whole", "XMom", "", "XMom");
        QTest::newRow("source from the directions") << "Good~~"
                                                    << "Toast.\r\nRecipe By: Dad"
                                                    << "Good"
                                                    << "Dad";
    }
    void ratingAndSource()
    {
        QFETCH(QString, rtgSrc);
        QFETCH(QString, instructions);
        QFETCH(QString, rating);
        QFETCH(QString, source);
        RecipeRecord r = sample();
        r.rtgSrc = rtgSrc;
        r.instructions = instructions;
        if (!instructions.contains(QLatin1String("Recipe By"))) {
            const QString mm = MealMasterFormat::recipeText(r);
            QCOMPARE(mm.contains(QStringLiteral("\r\n  Source: ") + source + QStringLiteral("\r\n")),
                     !source.isEmpty());
            QCOMPARE(mm.contains(QStringLiteral("\r\n  Rating: ") + rating + QStringLiteral("\r\n")),
                     !rating.isEmpty());
        }
        const QString mc = MasterCookFormat::recipeText(r);
        QVERIFY(mc.contains(QStringLiteral("\r\nRecipe By     : ") + source + QStringLiteral("\r\n")));
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
        mm("pound", "2|pound|beef~", "      2 lb beef");
        mm("ounces", "4|ounces|cheese~", "      4 oz cheese");
        mm("tablespoon", "1|tablespoon|oil~", "      1 tb oil");
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
        auto first = import(TestData::readFile(QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/") + file));
        const QVector<RecipeRecord> recipes = RecipeExporter::viewRecipes(*first);
        QVERIFY(!recipes.isEmpty());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        auto writer = RecipeExporter::writerFor(file.endsWith(QLatin1String(".mxp")) ? ExportLayout::MasterCook
                                                                                     : ExportLayout::MealMaster);
        for (const RecipeRecord& r : recipes)
            QVERIFY(writer->write(buffer, r));
        int saved = 0;
        auto second = import(buffer.data(), &saved);
        QCOMPARE(saved, recipes.size());
        for (int i = 0; i < recipes.size(); ++i) {
            first->setPosition(i);
            second->setPosition(i);
            for (const char* field :
                 { "Name", "Category", "Serves", "Ingredients", "Instructions", "Nutrition", "RtgSrc" })
                QCOMPARE(second->value(QLatin1String(field)), first->value(QLatin1String(field)));
        }
    }

    // A file that cannot be made or fills the disk is reported with its reason; the old file stays.
    void exportToFileReports()
    {
        QTemporaryDir dir;
        const QVector<RecipeRecord> recipes { sample(), sample() };
        QList<int> progress;
        const QString path = dir.filePath(QStringLiteral("out.mmf"));
        RecipeExporter::Result r
            = RecipeExporter::exportToFile(path, ExportLayout::MealMaster, recipes, [&](int n) { progress << n; });
        QVERIFY(r.ok && !r.openFailed && r.error.isEmpty());
        QCOMPARE(r.written, 2);
        QCOMPARE(progress, (QList<int> { 1, 2 }));
        r = RecipeExporter::exportToFile(dir.filePath(QStringLiteral("no/such/x.mmf")), ExportLayout::MasterCook,
                                         recipes);
        QVERIFY(!r.ok && r.openFailed && !r.error.isEmpty());
        SafeFile::setFaultAfterBytes(300);
        r = RecipeExporter::exportToFile(path, ExportLayout::MasterCook, recipes);
        SafeFile::setFaultAfterBytes(-1);
        QVERIFY(!r.ok && !r.openFailed);
        QCOMPARE(r.error, QStringLiteral("The file could not be written."));
        QCOMPARE(r.written, 0);
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
        QCOMPARE(picked.size(), 2);
        QCOMPARE(picked.at(0).name + picked.at(1).name, QStringLiteral("CA"));
        QCOMPARE(rs->position(), 1);
        QCOMPARE(RecipeExporter::viewRecipes(*rs).size(), 3);
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
        QTest::newRow("no quantity") << QStringList { "", "", "", "salt", "", "- salt" };
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
