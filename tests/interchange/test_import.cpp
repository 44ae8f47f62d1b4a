#include "ScriptedDialogs.h"
#include "TestData.h"
#include "TestPaths.h"

#include "interchange/CsvFieldOrder.h"
#include "interchange/CsvRecipeFormat.h"
#include "interchange/CsvRecordReader.h"
#include "interchange/ImportFile.h"
#include "interchange/LineSource.h"
#include "interchange/RecipeImporter.h"
#include "recipes/RecipeTable.h"
#include "interchange/WizardFormat.h"
#include "storage/Recordset.h"

#include <QTest>

namespace {

const QString P = QStringLiteral("\r\n\r\n");

QByteArray fixture(const QString& name)
{
    const QByteArray bytes = TestData::readFile(QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/") + name);
    if (bytes.isEmpty())
        qFatal("missing fixture %s", qPrintable(name));
    return bytes;
}

QStringList column(Recordset& rs, const char* field)
{
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.value(QString::fromLatin1(field));
    return out;
}

struct Imported
{
    std::unique_ptr<Recordset> recipes = TestData::emptyTable(TableDef::Recipes);
    std::unique_ptr<Recordset> categories = TestData::emptyTable(TableDef::Categories);
    ImportResult result;

    Imported& run(const QByteArray& bytes, const QStringList& csvFields = {})
    {
        ImportOptions options;
        options.csv = !csvFields.isEmpty();
        options.csvFields = csvFields;
        RecipeImporter importer(*recipes, categories.get());
        LineSource source(bytes);
        result = importer.run(source, options);
        return *this;
    }
    // Fields of the n-th record (insertion order), named with spaces between, joined with " ^ ".
    QString rec(int n, const QString& fields) const
    {
        QStringList out;
        recipes->setPosition(n);
        for (const QString& field : fields.split(QLatin1Char(' ')))
            out << recipes->value(field);
        return out.join(QStringLiteral(" ^ "));
    }
    void fillRecipesTo(int count)
    {
        for (int i = 0; i < count; ++i)
            recipes->appendRecord(
                { "0x00000001", "0x0000", QStringLiteral("r%1").arg(i), QStringLiteral("R%1").arg(i) });
    }
};

const QStringList kCsvFields { "Title", "Ingredients", "Instructions", "Servings", "Source", "Categories" };

} // namespace

class TestImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Layouts that real files take, one fixture each, named after its quirk.
    void quirks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QStringList>("records"); // the fields of each record, joined with " ^ "
        const auto row = [](const char* file, const char* fields, const QStringList& records) {
            QTest::newRow(file) << QString::fromLatin1(file) << QString::fromLatin1(fields) << records;
        };
        // Left column first, the right column at the heading, the continuation joined to its line.
        const QStringList twoColumns {
            "Beef Stew ^ beef stew ^ 0x0008 ^ 0x00000000 ^ Main dish~Beef~ ^ 6 ^ 2|lb|Beef chuck, cubed~3|md|Carrots, "
            "sliced~1|c|Onions, chopped and then sauteed in butter~1|c|Red wine~2|ts|Salt~||---GRAVY---~2|tb|Flour~1|"
            "c|Beef broth~ ^ Brown the beef in batches. Add the vegetables and simmer for two hours."
                + P + "Thicken with the gravy.",
            "Quick Toast ^ quick toast ^ 0x0008 ^ 0x00000000 ^ Breakfast~ ^ 2 ^ 2||Slices bread~1|tb|Butter~ ^ Toast "
            "the bread; butter it."
        };
        const char* all = "Name Key STATUS REC_ID Category Serves Ingredients Instructions";
        row("two_column_heading_continuation.mmf", all, twoColumns);
        row("cr_only_line_ends.mmf", all, twoColumns);
        row("recipe_without_directions.mmf", "Name Ingredients Instructions",
            { "Plain Water ^ 1|c|Water~ ^ ", "Ice ^ 1|c|Water~ ^ Freeze it." });
        row("cut_off_at_end_no_newline.mmf", "Name Ingredients Instructions",
            { "Whole Recipe ^ 1|c|Milk~ ^ Warm the milk.", "Cut Off Recipe ^ 2|c|Flour~1|ts|Sal~ ^ " });
        row("two_column_continuation.mmf", "Ingredients",
            { "2|c|Flour, all-purpose, sifted~3||Eggs~1|c|Milk~1|c|Sugar, white and granulated~1|ts|Vanilla "
              "extract, the real kind~" });
        row("labels_from_column_one.mmf", "Name Category Serves Ingredients Instructions",
            { "Lentil Soup ^ Soups~Vegetarian~ ^ 4 ^ 1|c|Lentils~4|c|Water~ ^ Simmer the lentils in the water for 40 "
              "minutes.",
              "Toast ^ Breakfast~ ^ 2 ^ 2||Slices bread~ ^ Toast it." });
        row("directions_follow_ingredients.mmf", "Ingredients Instructions",
            { "1|c|Flour~1||Egg~1|c|Milk~ ^ Whisk the flour, egg and milk together until smooth, then rest. Fry in a "
              "hot buttered pan." });
        row("section_line_in_directions.mmf", "Ingredients Instructions",
            { "1||Pie crust, baked~2|c|Berries~||---GLAZE---~1/2|c|Apricot jam~1|tb|Water~ ^ Fill the crust with the "
              "berries."
              + P + "Warm the jam with the water and brush it over the berries." + P + "TO SERVE" + P
              + "Chill for an hour and serve with cream." });
        row("notes_mention_other_programs.txt", "Name Instructions",
            { "Lemonade ^ Squeeze the lemons into the water." + P
                  + "NOTES : Typed into MasterCook by Joe; it also reads Meal-Master files. Serve over ice." + P
                  + "Joe's tip: MasterCook users can import the next one too." + P + "Aunt May",
              "Iced Tea ^ Brew strong and pour over ice. Posted to the MasterCook list." });
        row("directions_without_ingredients.mmf", "Ingredients Instructions",
            { " ^ To keep brown sugar soft, store it with a slice of bread in a sealed jar. Replace the bread every "
              "week." });
        row("long_one_column_lines.mmf", "Ingredients",
            { "1|lb|Boneless chicken breast, cut into thin strips across the grain~2|tb|Soy sauce or tamari, if there "
              "is some in the pantry~1|ts|Sugar~" });
        row("prep_time_and_exchanges.mxp", "Serves RtgSrc Instructions",
            { "6 ^ ~~Grandma Jones ^ Bake until golden. Exchanges: 1 Fruit" + P + "Grandma Jones",
              "2 ^ ~~Dad ^ Toast the bread." + P + "Preparation Time :0:05" + P + "Dad" });
        row("missing_or_empty_ingredient_table.mxp", "Name Category RtgSrc Ingredients Instructions",
            { "Hot Water ^ Drinks~ ^ ~~Camp Cook ^  ^ Boil the water in a kettle and pour it into a mug." + P
                  + "Camp Cook",
              "Empty Plate ^ Jokes~ ^  ^  ^ ",
              "Serving Ideas ^ Ideas~Parties~ ^ ~~Aunt May ^  ^ Serve the cake with whipped cream and berries." + P
                  + "Aunt May" });
        row("tabs_in_ingredient_table.mxp", "Ingredients Instructions",
            { "1|cups|granulated sugar~2|cups|flour~1/2|pound|butter -- softened~10|ounces|chocolate chips~ ^ Rub "
              "together.  Bake until pale." });
        row("nutrition_line_two_recipes.mxp", "Name Serves RtgSrc Category Ingredients Nutrition Instructions",
            { "Apple Crumble ^ 8 ^ ~~Grandma Jones ^ Desserts~Fruit~Baking~ ^ 6||apples -- peeled and sliced~1/2|"
              "cup|sugar~1|cup|flour~||-- sifted~ ^ 226||Calories~8|g|Fat~32.0|%|calories from fat~2|g|Protein~12|"
              "mg|Sodium~ ^ Heat the oven. Layer the apples in a dish."
                  + P + "Bake for 40 minutes." + P + "Exchanges: 1 Fruit; 1 1/2 Fat" + P + "Grandma Jones",
              "Lemonade ^ 4 ^  ^ Drinks~ ^ 4||lemons~1|quart|water~ ^  ^ Squeeze and stir." });
        row("pocketrecipes_heading.txt", "Name Serves RtgSrc Category Ingredients Instructions",
            { "Garlic Bread ^ 6 ^ Great~~Aunt May ^ Sides~ ^ 1||loaf bread~2||cloves garlic~4|tb|butter~ ^ Slice the "
              "bread."
                  + P + "Spread with \"garlic\" butter and bake." + P + "Time: 20 min" + P + "Notes: Kids like it",
              "Tea ^ 1 ^  ^  ^ 1|bag|tea~ ^ Steep." });
        row("wizard_two_blank_items.txt", "Name Serves Category Ingredients Instructions",
            { "Rice Bowl ^ 2 ^ Dinner~Quick~ ^ 1|c|rice~2|c|water~1|t|salt~ ^ Boil the water, add the rice, then "
              "simmer." });
    }
    void quirks()
    {
        QFETCH(QString, file);
        QFETCH(QString, fields);
        QFETCH(QStringList, records);
        Imported imp;
        imp.run(fixture(file));
        QCOMPARE(imp.result.skipped.size(), 0);
        QCOMPARE(imp.result.saved, records.size());
        QCOMPARE(imp.recipes->recordCount(), records.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(imp.rec(i, fields), records.at(i));
    }

    void categoryTableStopsAt79()
    {
        Imported imp;
        for (int i = 0; i < 78; ++i)
            imp.categories->appendRecord({ "0x00000001", "0x0000", QStringLiteral("Cat %1").arg(i) });
        imp.categories->appendRecord({ "0x00000002", "0x0002", "Gone" }); // a deleted category does not count
        imp.run(fixture(QStringLiteral("two_column_heading_continuation.mmf")));
        QCOMPARE(column(*imp.categories, "Category").mid(79), QStringList { "Main dish" });
        QCOMPARE(imp.rec(1, "Category"), QStringLiteral("Breakfast~")); // the recipe keeps what found no room
        QCOMPARE(column(*Imported().run(fixture(QStringLiteral("two_column_heading_continuation.mmf"))).categories,
                        "Category"),
                 (QStringList { "Main dish", "Beef", "Breakfast" }));
    }

    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("records"); // Name Serves RtgSrc Category Ingredients Instructions
        // The empty line inside a quoted field is dropped; free-text lines go through the unit-aware parser.
        QTest::newRow("multiline quoted fields")
            << fixture(QStringLiteral("multiline_quoted_fields.csv")) << kCsvFields
            << QStringList { "Pancakes ^ 4 ^ ~~Mom ^ Breakfast~ ^ 1|cup|flour~1||egg~1|cup|milk~ ^ Mix everything." + P
                                 + "Fry in a hot pan, turning once.",
                             "Omelette ^ 2 ^  ^ Breakfast, Eggs~ ^ 2||eggs~ ^ Beat the eggs, then fry.",
                             "He said \"Hi\" ^ 1 ^ ~~Me ^ Talk~ ^ ||salt~ ^ Say \"hi\"." };
        QTest::newRow("ignored column, byte-order mark")
            << QByteArray("\xEF\xBB\xBFOmelette,\"2 eggs\",\"Beat, then fry.\",2\r\n")
            << QStringList { "Title", CsvRecipeFormat::IgnoreField, "Instructions", "Servings" }
            << QStringList { "Omelette ^ 2 ^  ^  ^  ^ Beat, then fry." };
        QTest::newRow("unbalanced quote keeps earlier recipes")
            << fixture(QStringLiteral("unbalanced_quote.csv")) << kCsvFields
            << QStringList { "Good One ^ 2 ^ ~~Me ^ Rice~ ^ 1|cup|rice~ ^ Boil." };
    }
    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, records);
        Imported imp;
        imp.run(bytes, fields);
        QVERIFY(imp.result.saved >= records.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(imp.rec(i, QStringLiteral("Name Serves RtgSrc Category Ingredients Instructions")), records.at(i));
    }

    void csvRecordReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("lastLine");
        QTest::newRow("doubled quotes") << QByteArray("\"say \"\"x\"\",\",y") << QStringList { "say \"x\",", "y" } << 1;
        QTest::newRow("quote at end of inner line")
            << QByteArray("\"a \"\"q\"\"\r\nb\",c\r\nnext") << QStringList { "a \"q\"\r\nb", "c" } << 2;
    }
    void csvRecordReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QFETCH(int, lastLine);
        LineSource source(bytes);
        source.readLine();
        QCOMPARE(CsvRecordReader::read(source), fields);
        QCOMPARE(source.lineNumber(), lastLine);
    }

    // The import window's column list.
    void csvFieldOrder()
    {
        CsvFieldOrder order;
        order.add({ QStringLiteral("old") });
        order.all(CsvRecipeFormat::availableFields());
        QCOMPARE(order.fields(), kCsvFields);
        QCOMPARE(order.remove({ 2, 1 }), 1);
        QCOMPARE(order.fields(), (QStringList { "Title", "Servings", "Source", "Categories" }));
        QCOMPARE(order.remove({ 3, 9 }), 2); // past the end: the last row
        QCOMPARE(order.move(1, true), 0);
        QCOMPARE(order.move(1, false), 2);
        QCOMPARE(order.fields(), (QStringList { "Servings", "Source", "Title" }));
        order.add({ CsvRecipeFormat::IgnoreField });
        QCOMPARE(order.fields().last(), CsvRecipeFormat::IgnoreField);
        QCOMPARE(order.remove({ 0, 1, 2, 3 }), -1);
    }

    void wizardIngredientLines_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("lines");
        QTest::newRow("runs of blanks") << "1   c rice  2 c    water"
                                        << "1 c rice\r\n2 c water\r\n";
        QTest::newRow("two blanks after a unit letter") << "100 g  flour  2  g  salt  1 c  milk  1 t  oil"
                                                        << "100 g flour\r\n2 g salt\r\n1 c milk\r\n1 t oil\r\n";
    }
    void wizardIngredientLines()
    {
        QFETCH(QString, field);
        QFETCH(QString, lines);
        QCOMPARE(WizardFormat::ingredientLines(field), lines);
    }

    void badInputEndsCleanly_data()
    {
        // Random bytes are the fuzz targets' work; these are the edge cases with a known count.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("saved");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("header then end") << QByteArray("MMMMM----- Recipe via Meal-Master\r\n") << 0;
        QTest::newRow("10000 char line") << "MMMMM----- Meal-Master\r\n      Title: Long\r\n" + QByteArray(10000, 'x')
                                         << 1;
        QTest::newRow("pocket heading, blank line") << QByteArray("Title,Ingreds,x\r\n\r\n") << 0;
    }
    void badInputEndsCleanly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, saved);
        Imported imp;
        imp.run(bytes);
        QCOMPARE(imp.result.saved, saved);
        QCOMPARE(imp.recipes->recordCount(), saved);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QString>("stored");
        // Octal escapes: "Crème Brûlée – best" and "Łódź ﬁsh ⅓".
        QTest::newRow("windows-1252") << QByteArray("Cr\350me Br\373l\351e \226 best")
                                      << QStringLiteral("Crème Brûlée – best");
        QTest::newRow("utf-8") << QByteArray("Cr\303\250me Br\303\273l\303\251e \342\200\223 best")
                               << QStringLiteral("Crème Brûlée – best");
        QTest::newRow("utf-8 outside 1252")
            << QByteArray("\305\201\303\263d\305\272 \357\254\201sh \342\205\223") << QStringLiteral("?ódz fish 1/3");
        QTest::newRow("utf-8 edges of 1252") << QByteArray("Caf\303\251\302\240\303\277") << QStringLiteral("Café\u00A0ÿ");
    }
    void decoding()
    {
        QFETCH(QByteArray, title);
        QFETCH(QString, stored);
        Imported imp;
        imp.run("MMMMM----- Meal-Master\r\n      Title: " + title + "\r\n");
        QCOMPARE(imp.rec(0, QStringLiteral("Name")), stored);
    }

    void skippedSummary()
    {
        Imported imp;
        imp.run(fixture(QStringLiteral("recipes_missing_their_titles.txt")));
        QVERIFY(ImportFile::skippedSummary(imp.result)
                    .startsWith(QStringLiteral("2 recipes could not be read:\r\nline 12: ")));
        QCOMPARE(ImportFile::skippedSummary(imp.result, 1).count(QStringLiteral("\r\n")), 2); // one, then "..."
        imp.result.skipped.removeLast();
        QVERIFY(ImportFile::skippedSummary(imp.result).startsWith(QStringLiteral("1 recipe could not be read:\r\n")));
        QCOMPARE(ImportFile::skippedSummary(imp.result, -1), ImportFile::skippedSummary(imp.result));
        imp.result.skipped.clear();
        QCOMPARE(ImportFile::skippedSummary(imp.result), QString());
    }

    void recipeLimitStopsTheRun()
    {
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        Imported imp;
        imp.fillRecipesTo(RecipeTable::kMaxRecipes - 1);
        imp.recipes->appendRecord({ "0x00000002", "0x0002", "gone", "Gone" });
        imp.run(fixture(QStringLiteral("two_column_heading_continuation.mmf")));
        QVERIFY(imp.result.saved == 1 && imp.result.limitReached);
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("You may not have more than  15999 recipes.  This is a synchronization limit."));
    }

    void saveCutsFields()
    {
        auto recipes = TestData::emptyTable(TableDef::Recipes);
        RecipeImporter importer(*recipes, nullptr);
        ImportedRecipe r;
        r.title = QString(70, QLatin1Char('T'));
        r.servings = QStringLiteral("123456789");
        QString ingredients;
        for (int i = 0; i < 500; ++i)
            ingredients += QStringLiteral("1|cup|item number %1~").arg(i);
        r.ingredients = ingredients;
        r.instructions = QStringLiteral("a\r\n\r\n\r\n\r\nb") + QChar(20);
        r.rating = QStringLiteral("Excellent!!!");
        importer.save(r);
        r.title = QStringLiteral("exact");
        r.ingredients = QString(3999, QLatin1Char('x')) + QLatin1Char('~');
        importer.save(r);
        recipes->moveFirst();
        QCOMPARE(recipes->value("Name").size(), 60);
        const QString stored = recipes->value("Ingredients");
        QVERIFY(ingredients.startsWith(stored));
        QVERIFY(stored.size() <= 4000 && stored.size() > 3900 && stored.endsWith(QLatin1Char('~')));
        QCOMPARE(QStringList({ recipes->value("Serves"), recipes->value("Instructions"), recipes->value("RtgSrc") }),
                 QStringList({ "12345678", "a\r\n\r\nb", "Excellent!~~" }));
        recipes->moveNext();
        QCOMPARE(recipes->value("Ingredients").size(), 4000);
    }

    // Numbers already taken are passed over, also by titles numbered earlier in the run; long titles are cut
    // to make room for the number.
    void numberedTitles()
    {
        auto recipes = TestData::emptyTable(TableDef::Recipes);
        recipes->appendRecord({ "0x1", "0x0000", "stew", "Stew" });
        recipes->appendRecord({ "0x2", "0x0002", "stew #3", "Stew #3" });
        RecipeImporter importer(*recipes, nullptr);
        ImportedRecipe r;
        for (const char* title : { "Stew", "Stew", "Stew #5", "STEW", "Stew" }) {
            r.title = QLatin1String(title);
            importer.save(r);
        }
        QCOMPARE(column(*recipes, "Name").mid(2),
                 (QStringList { "Stew #2", "Stew #4", "Stew #5", "STEW #6", "Stew #7" }));
        r.title = QStringLiteral("A very long recipe title that goes on and on past sixty characters");
        for (int i = 0; i < 102; ++i)
            importer.save(r);
        const QStringList keys = column(*recipes, "Key");
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        QCOMPARE(column(*recipes, "Name").at(8), r.title.left(56) + QStringLiteral(" #2"));
        QCOMPARE(keys.at(8), (r.title.left(56) + QStringLiteral(" #2")).toLower());
    }

    void cutCategories_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const QString x60 = QString(60, QLatin1Char('x')) + QLatin1Char('~');
        QTest::newRow("six kept") << QStringLiteral("a~b~c~d~e~f~") << QStringLiteral("a~b~c~d~e~f~");
        QTest::newRow("seventh cut") << QStringLiteral("a~b~c~d~e~f~g~") << QStringLiteral("a~b~c~d~e~f~");
        QTest::newRow("no partial name at 100") << x60 + QString(60, QLatin1Char('y')) + QLatin1Char('~') << x60;
        QTest::newRow("one line") << QStringLiteral("a\r\nb~") << QStringLiteral("a b~");
    }
    void cutCategories()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(RecipeImporter::cutCategories(in), out);
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
