#include "FailingDevice.h"

#include "interchange/ExportText.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

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

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mealMasterRecordLineForLine();
    void mealMasterLongItemContinues();
    void wrapInstructions_data();
    void wrapInstructions();
    void masterCookRecordLineForLine();
    void masterCookLongTitleHasNoIndent();
    void titleIndent_data();
    void titleIndent();
    void ratingAndSource_data();
    void ratingAndSource();
    void nutritionText();
    void roundTrip_data();
    void roundTrip();
    void masterCookNutritionRoundTrip();
    void writerReportsFullDevice();
    void exportToFileKeepsOldFileOnFailure();
    void selectedRecipesInKeyOrder();
    void recipeText();
    void shoppingListAndMenuTexts();
    void splashShopperLine_data();
    void splashShopperLine();
};

void TestExport::mealMasterRecordLineForLine()
{
    RecipeRecord r = sample();
    r.nutrition = QStringLiteral("226||Calories~8|g|Fat~");
    const QStringList lines = MealMasterFormat::recipeText(r).split(QStringLiteral("\r\n"));
    const QStringList expected { "---------- Export to Meal-Master from Zestora",
                                 "",
                                 "      Title: Buttered Toast",
                                 " Categories: Breakfast, Eggs",
                                 "      Yield: 2 servings",
                                 "",
                                 "      2 tb butter",
                                 "      1 ts salt",
                                 "",
                                 "  Toast the bread.",
                                 "  Source: Mom",
                                 "  Rating: Good",
                                 "",
                                 "  Per Serving (excluding unknown items): 226 Calories;8g Fat.",
                                 "",
                                 "-----",
                                 "",
                                 "" };
    QCOMPARE(lines, expected);
}

void TestExport::mealMasterLongItemContinues()
{
    RecipeRecord r = sample();
    r.ingredients = QStringLiteral("1|c|Chopped fresh parsley, or dried basil leaves~");
    const QStringList lines = MealMasterFormat::recipeText(r).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(6), QStringLiteral("      1 c  Chopped fresh parsley, or"));
    QCOMPARE(lines.at(7), QStringLiteral("           -dried basil leaves"));
}

void TestExport::wrapInstructions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    const QString word9 = QStringLiteral("abcdefgh ");
    QTest::newRow("short") << "Stir." << QStringList { "  Stir." };
    QTest::newRow("cut after last blank")
        << word9.repeated(10).trimmed() << QStringList { "  " + word9.repeated(8).trimmed(), "  abcdefgh abcdefgh" };
    QTest::newRow("no blank: cut at 75") << QString(80, QLatin1Char('x'))
                                         << QStringList { "  " + QString(75, QLatin1Char('x')), "  xxxxx" };
    QTest::newRow("paragraphs") << "One.\r\n\r\nTwo." << QStringList { "  One.", "", "  Two." };
}

void TestExport::wrapInstructions()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(MealMasterFormat::wrapInstructions(text), lines);
}

void TestExport::masterCookRecordLineForLine()
{
    RecipeRecord r = sample();
    const QStringList lines = MasterCookFormat::recipeText(r).split(QStringLiteral("\r\n"));
    const QStringList expected { "* Exported from MasterCook *",
                                 "",
                                 QString(30, QLatin1Char(' ')) + "Buttered Toast",
                                 "",
                                 "Recipe By     : Mom",
                                 "Serving Size  : 2",
                                 "Categories    : Breakfast     Eggs",
                                 "",
                                 "  Amount  Measure       Ingredient -- Preparation Method",
                                 "--------  ------------  --------------------------------",
                                 "       2            tb  butter",
                                 "       1           tsp  salt",
                                 "",
                                 "Toast the bread.",
                                 "  Rating: Good",
                                 "",
                                 "                   - - - - - - - - - - - - - - - - - -",
                                 "",
                                 "" };
    QCOMPARE(lines, expected);
}

void TestExport::masterCookLongTitleHasNoIndent()
{
    RecipeRecord r = sample();
    r.name = QString(80, QLatin1Char('N'));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    MasterCookFormat writer;
    QVERIFY(writer.write(buffer, r));
    QVERIFY(writer.write(buffer, sample()));
    const QList<QByteArray> lines = buffer.data().split('\n');
    QCOMPARE(lines.at(2), QByteArray(80, 'N') + '\r');
    QCOMPARE(buffer.data().count("* Exported from MasterCook *"), 2);
}

void TestExport::titleIndent_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("indent");
    QTest::newRow("odd length") << 11 << 32;
    QTest::newRow("half rounds down to even") << 10 << 32; // 32.5
    QTest::newRow("half rounds up to even") << 12 << 32; // 31.5
    QTest::newRow("75") << 75 << 0;
    QTest::newRow("longer than 75") << 90 << 0;
}

void TestExport::titleIndent()
{
    QFETCH(int, length);
    QFETCH(int, indent);
    QCOMPARE(MasterCookFormat::titleIndent(length), indent);
}

void TestExport::ratingAndSource_data()
{
    QTest::addColumn<QString>("rtgSrc");
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
    QTest::newRow("two characters") << "ab"
                                    << ""
                                    << "";
}

void TestExport::ratingAndSource()
{
    QFETCH(QString, rtgSrc);
    QFETCH(QString, rating);
    QFETCH(QString, source);
    RecipeRecord r;
    r.rtgSrc = rtgSrc;
    QCOMPARE(r.rating(), rating);
    QCOMPARE(r.source(), source);
}

void TestExport::nutritionText()
{
    QCOMPARE(ExportText::nutritionText(QStringLiteral("226||Calories~8|g|Fat~")),
             QStringLiteral("Per Serving (excluding unknown items): 226 Calories;8g Fat."));
}

void TestExport::roundTrip_data()
{
    QTest::addColumn<int>("layout");
    QTest::newRow("Meal-Master") << int(ExportLayout::MealMaster);
    QTest::newRow("MasterCook") << int(ExportLayout::MasterCook);
}

void TestExport::roundTrip()
{
    QFETCH(int, layout);
    QVector<RecipeRecord> recipes;
    RecipeRecord a = sample();
    a.ingredients = QStringLiteral("1 1/2|c|flour~||---SAUCE---~2|tb|butter, or more if you really like it~3||eggs~");
    a.instructions = QStringLiteral("Mix well. ") + QString(30, QLatin1Char('x'))
        + QStringLiteral(" and then some more "
                         "words to wrap "
                         "the line.");
    recipes << a;
    RecipeRecord b;
    b.name = QStringLiteral("Plain");
    b.serves = QStringLiteral("4");
    b.ingredients = QStringLiteral("1|c|water~");
    recipes << b;
    RecipeRecord c = sample();
    c.category = QStringLiteral("One~Two~Three~");
    c.ingredients = QStringLiteral("2|tb|butter~1|ts|salt~"); // Meal-Master units hold two characters
    recipes << c;

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto writer = RecipeExporter::writerFor(static_cast<ExportLayout>(layout));
    for (const RecipeRecord& r : recipes)
        QVERIFY(writer->write(buffer, r));

    auto table2 = table(TableDef::Recipes);
    RecipeImporter importer(*table2, nullptr);
    LineSource source(buffer.data());
    const ImportResult result = importer.run(source, {});
    QCOMPARE(result.saved, 3);
    QStringList expectedNames { "Buttered Toast", "Plain", "Buttered Toast #2" };
    for (int i = 0; i < 3; ++i) {
        table2->setPosition(i);
        QCOMPARE(table2->value("Name"), expectedNames.at(i));
        QCOMPARE(table2->value("Serves"), recipes.at(i).serves);
        QCOMPARE(table2->value("Category"), recipes.at(i).category);
        QCOMPARE(table2->value("Ingredients"), recipes.at(i).ingredients);
    }
}

void TestExport::masterCookNutritionRoundTrip()
{
    RecipeRecord r = sample();
    r.nutrition = QStringLiteral("226||Calories~8|g|Fat~32.0|%|calories from fat~");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    MasterCookFormat writer;
    QVERIFY(writer.write(buffer, r));
    auto table2 = table(TableDef::Recipes);
    RecipeImporter importer(*table2, nullptr);
    LineSource source(buffer.data());
    importer.run(source, {});
    table2->moveFirst();
    QCOMPARE(table2->value("Nutrition"), r.nutrition);
    QCOMPARE(table2->value("RtgSrc"), QStringLiteral("~~Mom"));
}

void TestExport::writerReportsFullDevice()
{
    FailingDevice device(50);
    device.open(QIODevice::WriteOnly);
    MealMasterFormat writer;
    QVERIFY(!writer.write(device, sample()));
    QVERIFY(!writer.errorString().isEmpty());
}

void TestExport::exportToFileKeepsOldFileOnFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.mmf"));
    auto ok = RecipeExporter::exportToFile(path, ExportLayout::MealMaster, { sample(), sample() });
    QVERIFY(ok.ok);
    QCOMPARE(ok.written, 2);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("---------- Export to Meal-Master from Zestora\r\n"));

    auto bad = RecipeExporter::exportToFile(dir.filePath(QStringLiteral("missing/dir/out.mmf")),
                                            ExportLayout::MealMaster, { sample() });
    QVERIFY(!bad.ok);
    QVERIFY(bad.openFailed);
}

void TestExport::selectedRecipesInKeyOrder()
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

void TestExport::recipeText()
{
    RecipeRecord r = sample();
    const QString text = PlainTextExports::recipeText(r);
    QCOMPARE(text,
             QStringLiteral("\r\nRecipe Name: Buttered Toast\r\n\r\nCategories: Breakfast, Eggs\r\nServes: 2\r\n\r\n"
                            "Ingredients: \r\n2\ttb\tbutter\r\n1\ttsp\tsalt\r\n\r\nInstructions: \r\nToast the "
                            "bread.\r\n\r\nThis recipe exported by Zestora Plus - www.zestoraplus.com"));
    r.nutrition = QStringLiteral("226||Calories~");
    QVERIFY(PlainTextExports::recipeText(r).contains(
        QStringLiteral("\r\nNutritional Information: \r\n226\t\tCalories\r\n\r\nThis recipe")));
}

void TestExport::shoppingListAndMenuTexts()
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

void TestExport::splashShopperLine_data()
{
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("aisle");
    QTest::addColumn<QString>("ingr");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("line");
    QTest::newRow("half cup") << "1/2"
                              << "cup"
                              << "Dairy2x"
                              << "milk"
                              << ""
                              << "- 0.50@ u:cup a:Dairy milk";
    QTest::newRow("note") << "2"
                          << ""
                          << ""
                          << "eggs"
                          << "large"
                          << "- 2@ eggs|large";
    QTest::newRow("mixed number") << "1 1/2"
                                  << ""
                                  << ""
                                  << "flour"
                                  << ""
                                  << "- 1.5@ flour";
    QTest::newRow("no quantity") << ""
                                 << ""
                                 << ""
                                 << "salt"
                                 << ""
                                 << "- salt";
    QTest::newRow("units cut to 4") << "3"
                                    << "pounds"
                                    << ""
                                    << "beef"
                                    << ""
                                    << "- 3@ u:poun beef";
}

void TestExport::splashShopperLine()
{
    QFETCH(QString, qty);
    QFETCH(QString, units);
    QFETCH(QString, aisle);
    QFETCH(QString, ingr);
    QFETCH(QString, note);
    QFETCH(QString, line);
    QCOMPARE(PlainTextExports::splashShopperLine(qty, units, aisle, ingr, note, PlainTextExports::quantityNumber),
             line);
}

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
