#include "ScriptedDialogs.h"
#include "TestPaths.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/CsvRecordReader.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/RecipeImporter.h"
#include "recipes/RecipeTable.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QTest>

#include <memory>

namespace {

const QString CRLF2 = QStringLiteral("\r\n\r\n");

std::unique_ptr<Recordset> table(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

struct Imported
{
    std::unique_ptr<Recordset> recipes = table(TableDef::Recipes);
    std::unique_ptr<Recordset> categories = table(TableDef::Categories);
    ImportResult result;

    void run(const QByteArray& bytes, const ImportOptions& options = {})
    {
        RecipeImporter importer(*recipes, categories.get());
        LineSource source(bytes);
        result = importer.run(source, options);
    }
    // Field of the n-th record (insertion order).
    QString at(int n, const char* field) const
    {
        recipes->setPosition(n);
        return recipes->value(QString::fromLatin1(field));
    }
    // Several fields of the n-th record, named with spaces between, joined with " ^ ".
    QString rec(int n, const QString& fields) const
    {
        QStringList out;
        for (const QString& field : fields.split(QLatin1Char(' ')))
            out << at(n, qPrintable(field));
        return out.join(QStringLiteral(" ^ "));
    }
    static QStringList column(Recordset& rs, const char* field)
    {
        QStringList out;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << rs.value(QString::fromLatin1(field));
        return out;
    }
    QStringList names() const { return column(*recipes, "Name"); }
    QStringList categoryNames() const { return column(*categories, "Category"); }
    void fillRecipesTo(int count)
    {
        for (int i = 0; i < count; ++i)
            recipes->appendRecord(
                { "0x00000001", "0x0000", QStringLiteral("r%1").arg(i), QStringLiteral("R%1").arg(i) });
    }
};

ImportOptions csvOptions(const QStringList& fields)
{
    ImportOptions o;
    o.csv = true;
    o.csvFields = fields;
    return o;
}

const QStringList kCsvFields { "Title", "Ingredients", "Instructions", "Servings", "Source", "Categories" };

} // namespace

class TestImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mealMaster_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("crlf") << "two_column_heading_continuation.mmf";
        QTest::newRow("cr only") << "cr_only_line_ends.mmf";
    }

    void mealMaster()
    {
        QFETCH(QString, file);
        Imported imp;
        imp.run(fixture(file));
        QCOMPARE(imp.result.saved, 2);
        QVERIFY(imp.result.skipped.isEmpty());
        QCOMPARE(imp.rec(0, "Name Key STATUS REC_ID Category Serves"),
                 QStringLiteral("Beef Stew ^ beef stew ^ 0x0008 ^ 0x00000000 ^ Main dish~Beef~ ^ 6"));
        // Left column first, the right column at the heading, the continuation joined to its line.
        QCOMPARE(imp.at(0, "Ingredients"),
                 QStringLiteral("2|lb|Beef chuck, cubed~3|md|Carrots, sliced~1|c|Onions, chopped and then sauteed in "
                                "butter~1|c|Red wine~2|ts|Salt~||---GRAVY---~2|tb|Flour~1|c|Beef broth~"));
        QCOMPARE(imp.at(0, "Instructions"),
                 QStringLiteral("Brown the beef in batches. Add the vegetables and simmer for two hours.") + CRLF2
                     + QStringLiteral("Thicken with the gravy."));
        QCOMPARE(imp.rec(1, "Name Serves Ingredients Instructions"),
                 QStringLiteral("Quick Toast ^ 2 ^ 2||Slices bread~1|tb|Butter~ ^ Toast the bread; butter it."));
        QCOMPARE(imp.categoryNames(), (QStringList { "Main dish", "Beef", "Breakfast" }));
    }

    void damagedMealMaster_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("records"); // Name ^ Ingredients ^ Instructions
        QTest::newRow("recipe without directions keeps the next one")
            << "recipe_without_directions.mmf"
            << QStringList { "Plain Water ^ 1|c|Water~ ^ ", "Ice ^ 1|c|Water~ ^ Freeze it." };
        QTest::newRow("cut off at end, no newline")
            << "cut_off_at_end_no_newline.mmf"
            << QStringList { "Whole Recipe ^ 1|c|Milk~ ^ Warm the milk.", "Cut Off Recipe ^ 2|c|Flour~1|ts|Sal~ ^ " };
    }

    void damagedMealMaster()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, records);
        Imported imp;
        imp.run(fixture(file));
        QCOMPARE(imp.recipes->recordCount(), records.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(imp.rec(i, QStringLiteral("Name Ingredients Instructions")), records.at(i));
    }

    // Layouts that real files take, one fixture each, named after its quirk.
    void quirks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QStringList>("records"); // the fields of each record, joined with " ^ "
        const QString p = QStringLiteral("\r\n\r\n");
        QTest::newRow("continuation per column") << "two_column_continuation.mmf"
                                                 << "Ingredients"
                                                 << QStringList { "2|c|Flour, all-purpose, sifted~3||Eggs~1|c|Milk~"
                                                                  "1|c|Sugar, white and granulated~"
                                                                  "1|ts|Vanilla extract, the real kind~" };
        QTest::newRow("labels from column 1, blank lines between")
            << "labels_from_column_one.mmf"
            << "Name Category Serves Ingredients Instructions"
            << QStringList { "Lentil Soup ^ Soups~Vegetarian~ ^ 4 ^ 1|c|Lentils~4|c|Water~ ^ Simmer the lentils in "
                             "the water for 40 minutes.",
                             "Toast ^ Breakfast~ ^ 2 ^ 2||Slices bread~ ^ Toast it." };
        QTest::newRow("directions follow ingredients") << "directions_follow_ingredients.mmf"
                                                       << "Ingredients Instructions"
                                                       << QStringList { "1|c|Flour~1||Egg~1|c|Milk~ ^ Whisk the flour, "
                                                                        "egg and milk together until smooth, then "
                                                                        "rest. Fry in a hot buttered pan." };
        QTest::newRow("section lines in directions")
            << "section_line_in_directions.mmf"
            << "Ingredients Instructions"
            << QStringList { "1||Pie crust, baked~2|c|Berries~||---GLAZE---~1/2|c|Apricot jam~1|tb|Water~ ^ Fill the "
                             "crust with the berries."
                             + p + "Warm the jam with the water and brush it over the berries." + p + "TO SERVE" + p
                             + "Chill for an hour and serve with cream." };
        QTest::newRow("notes name other programs")
            << "notes_mention_other_programs.txt"
            << "Name Instructions"
            << QStringList { "Lemonade ^ Squeeze the lemons into the water." + p
                                 + "NOTES : Typed into MasterCook by Joe; it also reads Meal-Master files. Serve over "
                                   "ice."
                                 + p + "Joe's tip: MasterCook users can import the next one too." + p + "Aunt May",
                             "Iced Tea ^ Brew strong and pour over ice. Posted to the MasterCook list." };
        QTest::newRow("no ingredient block") << "directions_without_ingredients.mmf"
                                             << "Ingredients Instructions"
                                             << QStringList { " ^ To keep brown sugar soft, store it with a slice of "
                                                              "bread in a sealed jar. Replace the bread every week." };
        QTest::newRow("long one-column lines")
            << "long_one_column_lines.mmf"
            << "Ingredients"
            << QStringList { "1|lb|Boneless chicken breast, cut into thin strips across the grain~2|tb|Soy sauce or "
                             "tamari, if there is some in the pantry~1|ts|Sugar~" };
        QTest::newRow("prep time, recipe by, exchanges")
            << "prep_time_and_exchanges.mxp"
            << "Serves RtgSrc Instructions"
            << QStringList { "6 ^ ~~Grandma Jones ^ Bake until golden. Exchanges: 1 Fruit" + p + "Grandma Jones",
                             "2 ^ ~~Dad ^ Toast the bread." + p + "Preparation Time :0:05" + p + "Dad" };
        QTest::newRow("missing or empty ingredient table")
            << "missing_or_empty_ingredient_table.mxp"
            << "Name Category RtgSrc Ingredients Instructions"
            << QStringList { "Hot Water ^ Drinks~ ^ ~~Camp Cook ^  ^ Boil the water in a kettle and pour it into a mug."
                                 + p + "Camp Cook",
                             "Empty Plate ^ Jokes~ ^  ^  ^ ",
                             "Serving Ideas ^ Ideas~Parties~ ^ ~~Aunt May ^  ^ Serve the cake with whipped cream and "
                             "berries."
                                 + p + "Aunt May" };
        QTest::newRow("tabs in ingredient table")
            << "tabs_in_ingredient_table.mxp"
            << "Ingredients" << QStringList { "1|cups|granulated sugar~2|cups|flour~1/2|pound|butter -- softened~" };
    }

    void quirks()
    {
        QFETCH(QString, file);
        QFETCH(QString, fields);
        QFETCH(QStringList, records);
        Imported imp;
        imp.run(fixture(file));
        QCOMPARE(imp.result.skipped.size(), 0);
        QCOMPARE(imp.recipes->recordCount(), records.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(imp.rec(i, fields), records.at(i));
    }

    void categoryTableStopsAt79()
    {
        Imported imp;
        for (int i = 0; i < 78; ++i)
            imp.categories->appendRecord({ "0x00000001", "0x0000", QStringLiteral("Cat %1").arg(i) });
        // A deleted category does not count.
        imp.categories->appendRecord({ "0x00000002", "0x0002", "Gone" });
        imp.run(fixture(QStringLiteral("two_column_heading_continuation.mmf")));
        const QStringList names = imp.categoryNames();
        QCOMPARE(names.size(), 80);
        QCOMPARE(names.last(), QStringLiteral("Main dish"));
        // The recipe keeps the categories the table had no room for.
        QCOMPARE(imp.at(1, "Category"), QStringLiteral("Breakfast~"));
    }

    void masterCookNutritionAndCategories()
    {
        Imported imp;
        imp.run(fixture(QStringLiteral("nutrition_line_two_recipes.mxp")));
        QCOMPARE(imp.names(), (QStringList { "Apple Crumble", "Lemonade" }));
        QCOMPARE(imp.rec(0, "Serves RtgSrc Category"), QStringLiteral("8 ^ ~~Grandma Jones ^ Desserts~Fruit~Baking~"));
        QCOMPARE(imp.at(0, "Ingredients"),
                 QStringLiteral("6||apples -- peeled and sliced~1/2|cup|sugar~1|cup|flour~||-- sifted~"));
        QCOMPARE(imp.at(0, "Nutrition"),
                 QStringLiteral("226||Calories~8|g|Fat~32.0|%|calories from fat~2|g|Protein~12|mg|Sodium~"));
        const QString instructions = imp.at(0, "Instructions");
        QVERIFY2(instructions.startsWith(QStringLiteral("Heat the oven. Layer the apples in a dish.") + CRLF2
                                         + QStringLiteral("Bake for 40 minutes.")),
                 qPrintable(instructions));
        QVERIFY(instructions.contains(CRLF2 + QStringLiteral("Exchanges: 1 Fruit; 1 1/2 Fat")));
        QVERIFY(instructions.endsWith(CRLF2 + QStringLiteral("Grandma Jones")));
        QVERIFY(!instructions.contains(QStringLiteral("\r\n\r\n\r\n")));
        QCOMPARE(imp.rec(1, "RtgSrc Ingredients"), QStringLiteral(" ^ 4||lemons~1|quart|water~"));
    }

    void csvQuotedMultiLineFields()
    {
        Imported imp;
        imp.run(fixture(QStringLiteral("multiline_quoted_fields.csv")), csvOptions(kCsvFields));
        QCOMPARE(imp.names(), (QStringList { "Pancakes", "Omelette", "He said \"Hi\"" }));
        // The empty line inside the quoted field is dropped; free-text lines go through the unit-aware parser.
        QCOMPARE(imp.at(0, "Ingredients"), QStringLiteral("1|cup|flour~1||egg~1|cup|milk~"));
        QCOMPARE(imp.at(0, "Instructions"),
                 QStringLiteral("Mix everything.") + CRLF2 + QStringLiteral("Fry in a hot pan, turning once."));
        QCOMPARE(imp.rec(0, "Serves RtgSrc Category"), QStringLiteral("4 ^ ~~Mom ^ Breakfast~"));
        QCOMPARE(imp.rec(1, "Instructions Category"), QStringLiteral("Beat the eggs, then fry. ^ Breakfast, Eggs~"));
        QCOMPARE(imp.at(2, "Instructions"), QStringLiteral("Say \"hi\"."));
    }

    void csvIgnoreSkipsAColumn()
    {
        Imported imp;
        imp.run("Omelette,\"2 eggs\",\"Beat, then fry.\",2\r\n",
                csvOptions({ "Title", CsvRecipeFormat::IgnoreField, "Instructions", "Servings" }));
        QCOMPARE(imp.result.saved, 1);
        QCOMPARE(imp.rec(0, "Ingredients Instructions Serves"), QStringLiteral(" ^ Beat, then fry. ^ 2"));
    }

    void csvUnbalancedQuoteKeepsEarlierRecipes()
    {
        Imported imp;
        imp.run(fixture(QStringLiteral("unbalanced_quote.csv")), csvOptions(kCsvFields));
        QVERIFY(imp.result.saved >= 1);
        QCOMPARE(imp.rec(0, "Name Category"), QStringLiteral("Good One ^ Rice~"));
    }

    void csvRecordReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("lastLine");
        QTest::newRow("plain trimmed") << QByteArray(" a , b,c ") << QStringList { "a", "b", "c" } << 1;
        QTest::newRow("doubled quotes") << QByteArray("\"say \"\"x\"\",\",y") << QStringList { "say \"x\",", "y" } << 1;
        QTest::newRow("quote at end of inner line")
            << QByteArray("\"a \"\"q\"\"\r\nb\",c\r\nnext") << QStringList { "a \"q\"\r\nb", "c" } << 2;
        QTest::newRow("unclosed runs to end") << QByteArray("\"a\r\nb\r\nc") << QStringList { "a\r\nb\r\nc" } << 3;
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

    void pocketRecipes()
    {
        Imported imp;
        imp.run(fixture(QStringLiteral("pocketrecipes_heading.txt")));
        QCOMPARE(imp.names(), (QStringList { "Garlic Bread", "Tea" }));
        QCOMPARE(imp.at(0, "Ingredients"), QStringLiteral("1||loaf bread~2||cloves garlic~4|tb|butter~"));
        QCOMPARE(imp.at(0, "Instructions"),
                 QStringLiteral("Slice the bread.") + CRLF2 + QStringLiteral("Spread with \"garlic\" butter and bake.")
                     + CRLF2 + QStringLiteral("Time: 20 min") + CRLF2 + QStringLiteral("Notes: Kids like it"));
        QCOMPARE(imp.rec(0, "Serves RtgSrc Category"), QStringLiteral("6 ^ Great~~Aunt May ^ Sides~"));
        QCOMPARE(imp.rec(1, "Serves Category"), QStringLiteral("1 ^ "));
    }

    void wizard()
    {
        Imported imp;
        imp.run(fixture(QStringLiteral("wizard_two_blank_items.txt")));
        QCOMPARE(imp.names(), QStringList { "Rice Bowl" });
        QCOMPARE(imp.rec(0, "Serves Category Ingredients Instructions"),
                 QStringLiteral("2 ^ Dinner~Quick~ ^ 1|c|rice~2|c|water~1|t|salt~ ^ "
                                "Boil the water, add the rice, then simmer."));
    }

    void badInputEndsCleanly_data()
    {
        // Random bytes are the fuzz targets' work; these are the edge cases with a known count.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("saved");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("only markers") << QByteArray("Meal-Master\r\nMasterCook\r\n x Meal-Master\r\n") << 0;
        QTest::newRow("header then end") << QByteArray("MMMMM----- Recipe via Meal-Master\r\n") << 0;
        QTest::newRow("10000 char line") << (QByteArray("MMMMM----- Meal-Master\r\n      Title: Long\r\n")
                                             + QByteArray(10000, 'x') + QByteArray("\r\n"))
                                         << 1;
        QTest::newRow("wizard heading only") << QByteArray("Number,Name\r\n") << 0;
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
    }

    void decoding()
    {
        QFETCH(QByteArray, title);
        QFETCH(QString, stored);
        Imported imp;
        imp.run(QByteArray("MMMMM----- Meal-Master\r\n      Title: ") + title + QByteArray("\r\n"));
        QCOMPARE(imp.at(0, "Name"), stored);
    }

    void recipeLimitStopsTheRun()
    {
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        Imported imp;
        imp.fillRecipesTo(RecipeTable::kMaxRecipes - 1);
        imp.recipes->appendRecord({ "0x00000002", "0x0002", "gone", "Gone" });
        imp.run(fixture(QStringLiteral("two_column_heading_continuation.mmf")));
        QCOMPARE(imp.result.saved, 1);
        QVERIFY(imp.result.limitReached);
        QCOMPARE(dialogs.last().title, QStringLiteral("Database Limit"));
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("You may not have more than  15999 recipes.  This is a synchronization limit."));
    }

    void recipeLimitReachedByLastRecipeSaysNothing()
    {
        ScriptedDialogs dialogs; // no answer queued: a message would fail the test
        Imported imp;
        imp.fillRecipesTo(RecipeTable::kMaxRecipes - 1);
        const QByteArray file = fixture(QStringLiteral("cut_off_at_end_no_newline.mmf"));
        imp.run(file.left(file.indexOf("MMMMM\r\n") + 7) + "\r\n\r\n");
        QCOMPARE(imp.result.saved, 1);
        QVERIFY(!imp.result.limitReached);
        QCOMPARE(dialogs.messageCount(), 0);
    }

    void saveCutsFields()
    {
        auto recipes = table(TableDef::Recipes);
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
        recipes->moveFirst();
        QCOMPARE(recipes->value("Name").size(), 60);
        QCOMPARE(recipes->value("Serves"), QStringLiteral("12345678"));
        const QString stored = recipes->value("Ingredients");
        QVERIFY(stored.size() <= 4000);
        QVERIFY(stored.endsWith(QLatin1Char('~')));
        QVERIFY(ingredients.startsWith(stored));
        QCOMPARE(recipes->value("Instructions"), QStringLiteral("a\r\n\r\nb"));
        QCOMPARE(recipes->value("RtgSrc"), QStringLiteral("Excellent!~~"));
    }

    void longTitlesStayUnique()
    {
        auto recipes = table(TableDef::Recipes);
        RecipeImporter importer(*recipes, nullptr);
        ImportedRecipe r;
        r.title = QStringLiteral("A very long recipe title that goes on and on past sixty characters");
        for (int i = 0; i < 102; ++i)
            importer.save(r);
        const QStringList keys = Imported::column(*recipes, "Key");
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 102);
        const QString second = r.title.left(56) + QStringLiteral(" #2");
        QCOMPARE(Imported::column(*recipes, "Name").at(1), second);
        QCOMPARE(keys.at(1), second.toLower());
    }

    // Numbers already taken are passed over, also by titles numbered earlier in the run.
    void numberedTitlesSkipTakenNumbers()
    {
        auto recipes = table(TableDef::Recipes);
        recipes->appendRecord({ "0x1", "0x0000", "stew", "Stew" });
        recipes->appendRecord({ "0x2", "0x0002", "stew #3", "Stew #3" });
        RecipeImporter importer(*recipes, nullptr);
        ImportedRecipe r;
        for (const char* title : { "Stew", "Stew", "Stew #5", "STEW", "Stew" }) {
            r.title = QLatin1String(title);
            importer.save(r);
        }
        QCOMPARE(Imported::column(*recipes, "Name").mid(2),
                 (QStringList { "Stew #2", "Stew #4", "Stew #5", "STEW #6", "Stew #7" }));
    }

    void cutCategories_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const QString x60 = QString(60, QLatin1Char('x')) + QLatin1Char('~');
        QTest::newRow("six kept") << QStringLiteral("a~b~c~d~e~f~") << QStringLiteral("a~b~c~d~e~f~");
        QTest::newRow("seventh cut") << QStringLiteral("a~b~c~d~e~f~g~h~") << QStringLiteral("a~b~c~d~e~f~");
        QTest::newRow("no partial name at 100") << x60 + QString(60, QLatin1Char('y')) + QLatin1Char('~') << x60;
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
