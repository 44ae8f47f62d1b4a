#include "ScriptedDialogs.h"
#include "TestData.h"
#include "TestPaths.h"

#include "interchange/LineSource.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "interchange/SchemaOrgFormat.h"
#include "recipes/RecipeTable.h"
#include "storage/Recordset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// Recipes from web pages and JSON files (schema.org Recipe data) and the JSON export web recipe managers read.
namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString CRLF2 = QStringLiteral("\r\n\r\n");

QByteArray fixture(const QString& name)
{
    const QByteArray bytes = TestData::readFile(QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/") + name);
    if (bytes.isEmpty())
        qFatal("missing fixture %s", qPrintable(name));
    return bytes;
}

// JSON written with single quotes, for readable test rows.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

QByteArray page(const QByteArray& body)
{
    return "<!DOCTYPE html>\r\n<html><head><title>t</title></head><body>\r\n" + body + "\r\n</body></html>\r\n";
}

QByteArray block(const QByteArray& json)
{
    return "<script type=\"application/ld+json\">" + json + "</script>";
}

struct Import
{
    std::unique_ptr<Recordset> recipes = TestData::emptyTable(TableDef::Recipes);
    std::unique_ptr<Recordset> categories = TestData::emptyTable(TableDef::Categories);
    ImportResult result;

    explicit Import(const QByteArray& bytes)
    {
        RecipeImporter importer(*recipes, categories.get());
        LineSource source(bytes);
        result = importer.run(source, {});
    }
    QString at(int n, const QString& field) const
    {
        recipes->setPosition(n);
        return recipes->value(field);
    }
    QStringList skipped() const
    {
        QStringList out;
        for (const ImportResult::Skip& s : result.skipped)
            out << QStringLiteral("line %1: %2").arg(s.line).arg(s.reason);
        return out;
    }
};

const char* const kFields[] = { "Name", "Category", "Serves", "Ingredients", "Instructions", "Nutrition", "RtgSrc" };

} // namespace

class TestSchemaOrg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mappedFields_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("recipe");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const QString all = QStringLiteral("Name Category Serves Ingredients Instructions Nutrition RtgSrc");
        QTest::newRow("graph, person reference, sections")
            << "graph_person_reference_sections.html" << 0 << all
            << QStringLiteral("Creamy Tomato Soup & Croûtons ^ Soups~French~ ^ 4 ^ 2|tablespoons|butter~1 1/2|cups|"
                              "onion, chopped~1 1/2|lb|ripe tomatoes~4|cups|vegetable stock~1 1/3|cups|crème fraîche~||"
                              "salt & pepper~||oil~ ^ A silky soup with crème fraîche.")
                + CRLF2 + "Soup" + CRLF + "Melt the butter and soften the onion." + CRLF2
                + QStringLiteral("Add the tomatoes and stock; simmer – don't boil.") + CRLF2
                + QStringLiteral("Croûtons") + CRLF + "Toast the bread cubes." + CRLF2 + "Prep: 15 min" + CRLF
                + "Cook: 1 hr 15 min" + CRLF + "Total: 1 hr 30 min" + CRLF2
                + "From: https://kitchen.example/tomato-soup/"
                + " ^ 240|kcal|Calories~14|g|Fat~610|mg|Sodium~22|g|Carbohydrates~ ^ "
                + QStringLiteral("4.7 Stars~~Zoë Hogyes");
        QTest::newRow("several blocks, one broken")
            << "several_blocks_one_broken.html" << 0 << all
            << "Apple Cake ^ Dessert~Baking~ ^ 6 ^ 3||apples~200|g|flour~ ^ Peel the apples." + CRLF2
                + "Mix everything." + CRLF2 + "Bake 40 minutes." + CRLF2 + "Total: 2 hr ^  ^ 4.5 Stars~~Ann, Bo";
        const QString array = QStringLiteral("recipe_array_numbers_for_text.json");
        QTest::newRow("numbers as text")
            << array << 1 << "Name Serves Category Ingredients Instructions RtgSrc Nutrition"
            << "1905 ^ 24 ^ 7~ ^ ||2~1|cup|sugar~3||eggs~ ^ 42 ^ 5 Stars~~Oma ^ 310||Calories~6|g|Protein~";
    }

    void mappedFields()
    {
        QFETCH(QString, file);
        QFETCH(int, recipe);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        const Import imp(fixture(file));
        QStringList values;
        for (const QString& f : field.split(QLatin1Char(' ')))
            values << imp.at(recipe, f);
        QCOMPARE(values.join(QStringLiteral(" ^ ")), expected);
        QCOMPARE(imp.at(recipe, QStringLiteral("STATUS")), QStringLiteral("0x0008"));
    }

    void whatIsSkipped_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("saved");
        QTest::addColumn<QStringList>("skipped"); // each the start of one reason, in order

        const QByteArray recipe = block(json("{'@type':'Recipe','name':'Kept'}"));
        QTest::newRow("broken block, others read") << fixture("several_blocks_one_broken.html") << 1
                                                   << QStringList { "line 5: A recipe data block could not be read (" };
        QTest::newRow("array with an empty recipe")
            << fixture("recipe_array_numbers_for_text.json") << 2
            << QStringList { "line 1: The recipe holds no title, ingredients or instructions." };
        QTest::newRow("data without a recipe") << page(block(json("{'@type':'Organization','name':'x'}"))) << 0
                                               << QStringList { "line 3: No schema.org Recipe was found in the file." };
        QTest::newRow("broken json file")
            << QByteArray(json("{'@type':'Recipe','name':")) << 0
            << QStringList { "line 1: The JSON file could not be read (", "line 1: No schema.org Recipe was found" };
        QTest::newRow("nesting too deep")
            << page(block(QByteArray(5000, '[') + QByteArray(5000, ']')) + "\r\n" + recipe) << 1
            << QStringList { "line 3: A recipe data block could not be read (" };
        QTest::newRow("references in a circle") << page(block(
            json("{'@graph':[{'@id':'#w','@type':'WebPage','mainEntity':{'@id':'#r'},'isPartOf':{'@id':'#w'}},"
                 "{'@id':'#r','@type':'Recipe','name':'Loop','author':{'@id':'#p'},'mainEntityOfPage':{'@id':'#w'}},"
                 "{'@id':'#p','@type':'Person','name':'Pat','knows':{'@id':'#p'}},{'@id':'#r','@type':'Recipe'}]}")))
                                                << 1 << QStringList();
    }

    void whatIsSkipped()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, saved);
        QFETCH(QStringList, skipped);
        const Import imp(bytes);
        QCOMPARE(imp.recipes->recordCount(), saved);
        const QStringList reasons = imp.skipped();
        QCOMPARE(reasons.size(), skipped.size());
        for (int i = 0; i < skipped.size(); ++i)
            QVERIFY2(reasons.at(i).startsWith(skipped.at(i)), qPrintable(reasons.at(i)));
    }

    void limitStopsTheRun()
    {
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        auto recipes = TestData::emptyTable(TableDef::Recipes);
        for (int i = 0; i < RecipeTable::kMaxRecipes - 1; ++i)
            recipes->appendRecord(
                { "0x00000001", "0x0000", QStringLiteral("r%1").arg(i), QStringLiteral("R%1").arg(i) });
        RecipeImporter importer(*recipes, nullptr);
        LineSource source(json("[{'@type':'Recipe','name':'A'},{'@type':'Recipe','name':'B'}]"));
        const ImportResult result = importer.run(source, {});
        QVERIFY(result.saved == 1 && result.limitReached);
        // The recipe not read is kept as data the reader takes again.
        const SchemaOrgFormat::Document rest = SchemaOrgFormat::readDocument(result.notReached);
        QCOMPARE(rest.entries.size() == 1 ? rest.entries.first().recipe.title : QString(), QStringLiteral("B"));
    }

    // Export, then import of the export: every field the vocabulary holds comes back as it was.
    void roundTrip()
    {
        auto recipes = TestData::emptyTable(TableDef::Recipes);
        recipes->appendRecord({ "0x00000001", "0x0000", "tomato soup", "Tomato Soup", "Soups~French, Classic~", "4",
                                "2|tablespoons|butter~1 1/2|cups|onion, chopped~||---SAUCE---~||salt & pepper~||oil~",
                                "A silky soup." + CRLF2 + "Soup" + CRLF + "Melt the butter." + CRLF2 + "Prep: 15 min"
                                    + CRLF + "Cook: 1 hr 15 min" + CRLF2 + "From: https://kitchen.example/soup/",
                                "240|kcal|Calories~14|g|Fat~610|mg|Sodium~", QStringLiteral("4.5 Stars~~Zoë") });
        recipes->appendRecord({ "0x00000002", "0x0000", "toast", "Toast", "", "2-3", "2||eggs~",
                                "Toast it." + CRLF2 + "Prep: 90 min", "", "Try Soon~~" });
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.json"));
        const auto written
            = RecipeExporter::exportToFile(path, ExportLayout::JsonLd, RecipeExporter::viewRecipes(*recipes));
        QVERIFY(written.ok);
        const QByteArray bytes = TestData::readFile(path);

        const QJsonArray array = QJsonDocument::fromJson(bytes).array();
        QCOMPARE(array.size(), 2);
        const QJsonObject soup = array.at(0).toObject();
        QCOMPARE(QStringList({ soup.value("@context").toString(), soup.value("@type").toString(),
                               soup.value("recipeIngredient").toArray().at(1).toString(),
                               soup.value("recipeInstructions").toArray().at(1).toObject().value("@type").toString(),
                               soup.value("prepTime").toString() + soup.value("cookTime").toString(),
                               soup.value("url").toString(), soup.value("author").toObject().value("name").toString(),
                               soup.value("nutrition").toObject().value("sodiumContent").toString() }),
                 QStringList({ "https://schema.org", "Recipe", "1 1/2 cups onion, chopped", "HowToStep", "PT15MPT1H15M",
                               "https://kitchen.example/soup/", "Zoë", "610 mg" }));
        QCOMPARE(soup.value("aggregateRating").toObject().value("ratingValue").toDouble(), 4.5);
        // A time not written the way the reader writes it stays a step.
        QVERIFY(!array.at(1).toObject().contains("prepTime"));

        const Import back(bytes);
        QCOMPARE(back.result.saved, 2);
        for (int n = 0; n < 2; ++n) {
            for (const char* field : kFields)
                QCOMPARE(back.at(n, QLatin1String(field)), [&] {
                    recipes->setPosition(n);
                    return recipes->value(QLatin1String(field));
                }());
        }
    }
};

QTEST_GUILESS_MAIN(TestSchemaOrg)
#include "test_schemaorg.moc"
