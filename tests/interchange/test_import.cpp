#include "ScriptedDialogs.h"
#include "TestPaths.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/CsvRecordReader.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QRandomGenerator>
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
    QStringList names() const
    {
        QStringList out;
        for (recipes->moveFirst(); !recipes->eof(); recipes->moveNext())
            out << recipes->value(QStringLiteral("Name"));
        return out;
    }
    QStringList categoryNames() const
    {
        QStringList out;
        for (categories->moveFirst(); !categories->eof(); categories->moveNext())
            out << categories->value(QStringLiteral("Category"));
        return out;
    }
};

ImportOptions csvOptions(const QStringList& fields)
{
    ImportOptions o;
    o.csv = true;
    o.csvFields = fields;
    return o;
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mealMaster_data();
    void mealMaster();
    void mealMasterWithoutDirectionsKeepsNextRecipe();
    void mealMasterCutOffAtEnd();
    void sameFileTwiceGetsNumberedTitles();
    void categoryTableStopsAt79();
    void masterCookNutritionAndCategories();
    void csvQuotedMultiLineFields();
    void csvIgnoreSkipsAColumn();
    void csvUnbalancedQuoteKeepsEarlierRecipes();
    void csvRecordReader_data();
    void csvRecordReader();
    void pocketRecipes();
    void wizard();
    void badInputEndsCleanly_data();
    void badInputEndsCleanly();
    void fuzzedInputEndsCleanly();
    void decoding_data();
    void decoding();
    void recipeLimitStopsTheRun();
    void recipeLimitReachedByLastRecipeSaysNothing();
    void saveCutsFields();
    void longTitlesStayUnique();
    void cutCategories_data();
    void cutCategories();
};

void TestImport::mealMaster_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("crlf") << "two_column_heading_continuation.mmf";
    QTest::newRow("cr only") << "cr_only_line_ends.mmf";
}

void TestImport::mealMaster()
{
    QFETCH(QString, file);
    Imported imp;
    imp.run(fixture(file));
    QCOMPARE(imp.result.saved, 2);
    QVERIFY(imp.result.skipped.isEmpty());
    QCOMPARE(imp.at(0, "Name"), QStringLiteral("Beef Stew"));
    QCOMPARE(imp.at(0, "Key"), QStringLiteral("beef stew"));
    QCOMPARE(imp.at(0, "STATUS"), QStringLiteral("0x0008"));
    QCOMPARE(imp.at(0, "REC_ID"), QStringLiteral("0x00000000"));
    QCOMPARE(imp.at(0, "Category"), QStringLiteral("Main dish~Beef~"));
    QCOMPARE(imp.at(0, "Serves"), QStringLiteral("6"));
    // Left column first, the right column at the heading, the continuation joined to its line.
    QCOMPARE(imp.at(0, "Ingredients"),
             QStringLiteral("2|lb|Beef chuck, cubed~3|md|Carrots, sliced~1|c|Onions, chopped and then sauteed in "
                            "butter~1|c|Red wine~2|ts|Salt~||---GRAVY---~2|tb|Flour~1|c|Beef broth~"));
    QCOMPARE(imp.at(0, "Instructions"),
             QStringLiteral("Brown the beef in batches. Add the vegetables and simmer for two hours.") + CRLF2
                 + QStringLiteral("Thicken with the gravy."));
    QCOMPARE(imp.at(1, "Name"), QStringLiteral("Quick Toast"));
    QCOMPARE(imp.at(1, "Serves"), QStringLiteral("2"));
    QCOMPARE(imp.at(1, "Ingredients"), QStringLiteral("2||Slices bread~1|tb|Butter~"));
    QCOMPARE(imp.at(1, "Instructions"), QStringLiteral("Toast the bread; butter it."));
    QCOMPARE(imp.categoryNames(), (QStringList { "Main dish", "Beef", "Breakfast" }));
}

void TestImport::mealMasterWithoutDirectionsKeepsNextRecipe()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("recipe_without_directions.mmf")));
    QCOMPARE(imp.names(), (QStringList { "Plain Water", "Ice" }));
    QCOMPARE(imp.at(0, "Ingredients"), QStringLiteral("1|c|Water~"));
    QCOMPARE(imp.at(1, "Instructions"), QStringLiteral("Freeze it."));
}

void TestImport::mealMasterCutOffAtEnd()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("cut_off_at_end_no_newline.mmf")));
    QCOMPARE(imp.names(), (QStringList { "Whole Recipe", "Cut Off Recipe" }));
    QCOMPARE(imp.at(0, "Instructions"), QStringLiteral("Warm the milk."));
    QCOMPARE(imp.at(1, "Ingredients"), QStringLiteral("2|c|Flour~1|ts|Sal~"));
}

void TestImport::sameFileTwiceGetsNumberedTitles()
{
    Imported imp;
    const QByteArray bytes = fixture(QStringLiteral("two_column_heading_continuation.mmf"));
    imp.run(bytes);
    imp.run(bytes);
    imp.run(bytes);
    QCOMPARE(imp.names(),
             (QStringList { "Beef Stew", "Quick Toast", "Beef Stew #2", "Quick Toast #2", "Beef Stew #3",
                            "Quick Toast #3" }));
    QCOMPARE(imp.at(2, "Key"), QStringLiteral("beef stew #2"));
    QCOMPARE(imp.categoryNames().size(), 3);
}

void TestImport::categoryTableStopsAt79()
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

void TestImport::masterCookNutritionAndCategories()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("nutrition_line_two_recipes.mxp")));
    QCOMPARE(imp.names(), (QStringList { "Apple Crumble", "Lemonade" }));
    QCOMPARE(imp.at(0, "Serves"), QStringLiteral("8"));
    QCOMPARE(imp.at(0, "RtgSrc"), QStringLiteral("~~Grandma Jones"));
    QCOMPARE(imp.at(0, "Category"), QStringLiteral("Desserts~Fruit~Baking~"));
    QCOMPARE(imp.at(0, "Ingredients"),
             QStringLiteral("6||apples -- peeled and sliced~1/2|cup|sugar~1|cup|flour~||-- sifted~"));
    QCOMPARE(imp.at(0, "Nutrition"),
             QStringLiteral("226||Calories~8|g|Fat~32.0|%|calories from fat~2|g|Protein~12|mg|Sodium~"));
    const QString instructions = imp.at(0, "Instructions");
    QVERIFY2(instructions.startsWith(QStringLiteral("Heat the oven. Layer the apples in a dish.") + CRLF2
                                     + QStringLiteral("Bake for 40 minutes.")),
             qPrintable(instructions));
    QVERIFY(instructions.contains(CRLF2 + QStringLiteral("Exchanges: 1 Fruit; 1 1/2 Fat")));
    QVERIFY(instructions.endsWith(CRLF2 + QStringLiteral("Preparation Time :0:45")));
    QVERIFY(!instructions.contains(QStringLiteral("\r\n\r\n\r\n")));
    QCOMPARE(imp.at(1, "RtgSrc"), QString());
    QCOMPARE(imp.at(1, "Ingredients"), QStringLiteral("4||lemons~1|quart|water~"));
}

void TestImport::csvQuotedMultiLineFields()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("multiline_quoted_fields.csv")),
            csvOptions({ "Title", "Ingredients", "Instructions", "Servings", "Source", "Categories" }));
    QCOMPARE(imp.names(), (QStringList { "Pancakes", "Omelette", "He said \"Hi\"" }));
    // The empty line inside the quoted field is dropped; free-text lines go through the unit-aware parser.
    QCOMPARE(imp.at(0, "Ingredients"), QStringLiteral("1|cup|flour~1||egg~1|cup|milk~"));
    QCOMPARE(imp.at(0, "Instructions"),
             QStringLiteral("Mix everything.") + CRLF2 + QStringLiteral("Fry in a hot pan, turning once."));
    QCOMPARE(imp.at(0, "Serves"), QStringLiteral("4"));
    QCOMPARE(imp.at(0, "RtgSrc"), QStringLiteral("~~Mom"));
    QCOMPARE(imp.at(0, "Category"), QStringLiteral("Breakfast~"));
    QCOMPARE(imp.at(1, "Instructions"), QStringLiteral("Beat the eggs, then fry."));
    QCOMPARE(imp.at(1, "Category"), QStringLiteral("Breakfast, Eggs~"));
    QCOMPARE(imp.at(2, "Instructions"), QStringLiteral("Say \"hi\"."));
}

void TestImport::csvIgnoreSkipsAColumn()
{
    Imported imp;
    imp.run("Omelette,\"2 eggs\",\"Beat, then fry.\",2\r\n",
            csvOptions({ "Title", CsvRecipeFormat::IgnoreField, "Instructions", "Servings" }));
    QCOMPARE(imp.result.saved, 1);
    QCOMPARE(imp.at(0, "Ingredients"), QString());
    QCOMPARE(imp.at(0, "Instructions"), QStringLiteral("Beat, then fry."));
    QCOMPARE(imp.at(0, "Serves"), QStringLiteral("2"));
}

void TestImport::csvUnbalancedQuoteKeepsEarlierRecipes()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("unbalanced_quote.csv")),
            csvOptions({ "Title", "Ingredients", "Instructions", "Servings", "Source", "Categories" }));
    QVERIFY(imp.result.saved >= 1);
    QCOMPARE(imp.at(0, "Name"), QStringLiteral("Good One"));
    QCOMPARE(imp.at(0, "Category"), QStringLiteral("Rice~"));
}

void TestImport::csvRecordReader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("lastLine");
    QTest::newRow("plain trimmed") << QByteArray(" a , b,c ") << QStringList { "a", "b", "c" } << 1;
    QTest::newRow("empty fields") << QByteArray(",,") << QStringList { "", "", "" } << 1;
    QTest::newRow("quoted comma") << QByteArray("\"a,b\",c") << QStringList { "a,b", "c" } << 1;
    QTest::newRow("doubled quotes") << QByteArray("\"say \"\"x\"\",\",y") << QStringList { "say \"x\",", "y" } << 1;
    QTest::newRow("crlf in quoted field") << QByteArray("\"a\r\nb\",c\r\nnext") << QStringList { "a\r\nb", "c" } << 2;
    QTest::newRow("quote at end of inner line")
        << QByteArray("\"a \"\"q\"\"\r\nb\",c") << QStringList { "a \"q\"\r\nb", "c" } << 2;
    QTest::newRow("unclosed runs to end") << QByteArray("\"a\r\nb\r\nc") << QStringList { "a\r\nb\r\nc" } << 3;
}

void TestImport::csvRecordReader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QFETCH(int, lastLine);
    LineSource source(bytes);
    source.readLine();
    QCOMPARE(CsvRecordReader::read(source), fields);
    QCOMPARE(source.lineNumber(), lastLine);
}

void TestImport::pocketRecipes()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("pocketrecipes_heading.txt")));
    QCOMPARE(imp.names(), (QStringList { "Garlic Bread", "Tea" }));
    QCOMPARE(imp.at(0, "Ingredients"), QStringLiteral("1||loaf bread~2||cloves garlic~4|tb|butter~"));
    QCOMPARE(imp.at(0, "Instructions"),
             QStringLiteral("Slice the bread.") + CRLF2 + QStringLiteral("Spread with \"garlic\" butter and bake.")
                 + CRLF2 + QStringLiteral("Time: 20 min") + CRLF2 + QStringLiteral("Notes: Kids like it"));
    QCOMPARE(imp.at(0, "Serves"), QStringLiteral("6"));
    QCOMPARE(imp.at(0, "RtgSrc"), QStringLiteral("Great~~Aunt May"));
    QCOMPARE(imp.at(0, "Category"), QStringLiteral("Sides~"));
    QCOMPARE(imp.at(1, "Serves"), QStringLiteral("1"));
    QCOMPARE(imp.at(1, "Category"), QString());
}

void TestImport::wizard()
{
    Imported imp;
    imp.run(fixture(QStringLiteral("wizard_two_blank_items.txt")));
    QCOMPARE(imp.names(), QStringList { "Rice Bowl" });
    QCOMPARE(imp.at(0, "Serves"), QStringLiteral("2"));
    QCOMPARE(imp.at(0, "Category"), QStringLiteral("Dinner~Quick~"));
    QCOMPARE(imp.at(0, "Ingredients"), QStringLiteral("1|c|rice~2|c|water~1|t|salt~"));
    QCOMPARE(imp.at(0, "Instructions"), QStringLiteral("Boil the water, add the rice, then simmer."));
}

void TestImport::badInputEndsCleanly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("saved");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 7919) % 256));
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("no marker") << QByteArray("just some text\r\nand more\r\n") << 0;
    QTest::newRow("binary") << binary << 0;
    QTest::newRow("only markers") << QByteArray("Meal-Master\r\nMasterCook\r\n x Meal-Master\r\n") << 0;
    QTest::newRow("marker at line start") << QByteArray("Meal-Master\r\n") << 0;
    QTest::newRow("header then end") << QByteArray("MMMMM----- Recipe via Meal-Master\r\n") << 0;
    QTest::newRow("10000 char line") << (QByteArray("MMMMM----- Meal-Master\r\n      Title: Long\r\n")
                                         + QByteArray(10000, 'x') + QByteArray("\r\n"))
                                     << 1;
    QTest::newRow("wizard heading only") << QByteArray("Number,Name\r\n") << 0;
    QTest::newRow("pocket heading, blank line") << QByteArray("Title,Ingreds,x\r\n\r\n") << 0;
}

void TestImport::badInputEndsCleanly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, saved);
    Imported imp;
    imp.run(bytes);
    QCOMPARE(imp.result.saved, saved);
    QCOMPARE(imp.recipes->recordCount(), saved);
}

void TestImport::fuzzedInputEndsCleanly()
{
    // Lines of every fixture, shuffled, cut and joined with random line ends: every run must end, and every
    // saved record must be well formed.
    QList<QByteArray> lines;
    for (const char* name :
         { "two_column_heading_continuation.mmf", "nutrition_line_two_recipes.mxp", "multiline_quoted_fields.csv",
           "pocketrecipes_heading.txt", "wizard_two_blank_items.txt" })
        lines += fixture(QString::fromLatin1(name)).split('\n');
    QRandomGenerator random(20240611);
    const char* const ends[] = { "\r\n", "\n", "\r", "" };
    for (int round = 0; round < 300; ++round) {
        QByteArray doc;
        const int n = random.bounded(1, 60);
        for (int i = 0; i < n; ++i) {
            QByteArray line = lines.at(random.bounded(lines.size()));
            if (random.bounded(4) == 0)
                line = line.left(random.bounded(line.size() + 1));
            if (random.bounded(10) == 0)
                line += '"';
            doc += line + ends[random.bounded(4)];
        }
        Imported imp;
        imp.run(doc, round % 3 == 0 ? csvOptions({ "Title", "Ingredients", "Instructions" }) : ImportOptions {});
        for (int i = 0; i < imp.recipes->recordCount(); ++i) {
            QVERIFY(!imp.at(i, "Name").isEmpty());
            QVERIFY(imp.at(i, "Name").size() <= 60);
            QVERIFY(!imp.at(i, "Category").contains(QLatin1Char('\n')));
            const QString ingredients = imp.at(i, "Ingredients");
            QVERIFY(ingredients.isEmpty() || ingredients.endsWith(QLatin1Char('~')));
        }
    }
}

void TestImport::decoding_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QString>("stored");
    QTest::newRow("windows-1252") << QByteArray("Cr\xe8"
                                                "me Br\xfb"
                                                "l\xe9"
                                                "e \x96 best")
                                  << QStringLiteral("Crème Brûlée – best");
    QTest::newRow("utf-8") << QByteArray("Cr\xc3\xa8"
                                         "me Br\xc3\xbb"
                                         "l\xc3\xa9"
                                         "e \xe2\x80\x93 best")
                           << QStringLiteral("Crème Brûlée – best");
    QTest::newRow("utf-8 outside 1252") << QByteArray("\xc5\x81\xc3\xb3"
                                                      "d\xc5\xba \xef\xac\x81"
                                                      "sh \xe2\x85\x93")
                                        << QStringLiteral("?ódz fish 1/3");
}

void TestImport::decoding()
{
    QFETCH(QByteArray, title);
    QFETCH(QString, stored);
    Imported imp;
    imp.run(QByteArray("MMMMM----- Meal-Master\r\n      Title: ") + title + QByteArray("\r\n"));
    QCOMPARE(imp.at(0, "Name"), stored);
}

void TestImport::recipeLimitStopsTheRun()
{
    ScriptedDialogs dialogs;
    dialogs.answer(MsgAnswer::Ok);
    Imported imp;
    for (int i = 0; i < RecipeImporter::RecipeLimit - 1; ++i)
        imp.recipes->appendRecord(
            { "0x00000001", "0x0000", QStringLiteral("r%1").arg(i), QStringLiteral("R%1").arg(i) });
    imp.recipes->appendRecord({ "0x00000002", "0x0002", "gone", "Gone" });
    imp.run(fixture(QStringLiteral("two_column_heading_continuation.mmf")));
    QCOMPARE(imp.result.saved, 1);
    QVERIFY(imp.result.limitReached);
    QCOMPARE(dialogs.last().title, QStringLiteral("Database Limit"));
    QCOMPARE(dialogs.last().text,
             QStringLiteral("You may not have more than  15999 recipes.  This is a synchronization limit."));
}

void TestImport::recipeLimitReachedByLastRecipeSaysNothing()
{
    ScriptedDialogs dialogs; // no answer queued: a message would fail the test
    Imported imp;
    for (int i = 0; i < RecipeImporter::RecipeLimit - 1; ++i)
        imp.recipes->appendRecord(
            { "0x00000001", "0x0000", QStringLiteral("r%1").arg(i), QStringLiteral("R%1").arg(i) });
    const QByteArray file = fixture(QStringLiteral("cut_off_at_end_no_newline.mmf"));
    imp.run(file.left(file.indexOf("MMMMM\r\n") + 7) + "\r\n\r\n");
    QCOMPARE(imp.result.saved, 1);
    QVERIFY(!imp.result.limitReached);
    QCOMPARE(dialogs.messageCount(), 0);
}

void TestImport::saveCutsFields()
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

void TestImport::longTitlesStayUnique()
{
    auto recipes = table(TableDef::Recipes);
    RecipeImporter importer(*recipes, nullptr);
    ImportedRecipe r;
    r.title = QStringLiteral("A very long recipe title that goes on and on past sixty characters");
    for (int i = 0; i < 102; ++i)
        importer.save(r);
    QSet<QString> keys;
    for (recipes->moveFirst(); !recipes->eof(); recipes->moveNext())
        keys.insert(recipes->value("Key"));
    QCOMPARE(keys.size(), 102);
    recipes->setPosition(1);
    QCOMPARE(recipes->value("Name"), r.title.left(56) + QStringLiteral(" #2"));
}

void TestImport::cutCategories_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("six kept") << "a~b~c~d~e~f~"
                              << "a~b~c~d~e~f~";
    QTest::newRow("seventh cut") << "a~b~c~d~e~f~g~h~"
                                 << "a~b~c~d~e~f~";
    QTest::newRow("no partial name at 100")
        << (QString(60, QLatin1Char('x')) + QStringLiteral("~") + QString(60, QLatin1Char('y')) + QStringLiteral("~"))
        << (QString(60, QLatin1Char('x')) + QStringLiteral("~"));
}

void TestImport::cutCategories()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(RecipeImporter::cutCategories(in), out);
}

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
