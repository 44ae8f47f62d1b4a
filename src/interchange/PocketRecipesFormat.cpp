#include "interchange/PocketRecipesFormat.h"

#include "interchange/CsvRecordReader.h"
#include "interchange/FreeTextIngredients.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "recipes/RecipeEncodings.h"

using namespace InterchangeText;

bool PocketRecipesFormat::canRead(const QString& line) const
{
    // The heading record that starts the file, not a line of text that happens to hold the words.
    const QString t = line.trimmed();
    return t.startsWith(QLatin1String("Title,Ingreds,")) || t.startsWith(QLatin1String("\"Title\",\"Ingreds"));
}

QString PocketRecipesFormat::withoutServingWords(QString text)
{
    static const char* const words[] = { "Serves:",  "Serves",  "serves",  "Servings:", "servings",
                                         "Servings", "Yields:", "yields:", "yields",    "Yields" };
    for (const char* w : words)
        text.remove(QLatin1String(w));
    return text.trimmed();
}

namespace {

// CR LF CR LF stays a paragraph break; every other CR LF becomes a blank.
QString paragraphs(QString text)
{
    const QChar mark(0xE000);
    text.replace(QStringLiteral("\r\n\r\n"), QString(mark));
    text.replace(CrLf, QStringLiteral(" "));
    text.replace(mark, CrLf + CrLf);
    return text.trimmed();
}

} // namespace

bool PocketRecipesFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    if (!source.readLine())
        return fail(QStringLiteral("The file ends after the PocketRecipes heading."));
    const QStringList f = CsvRecordReader::read(source);
    auto field = [&](int n) { return f.value(n - 1); };

    recipe.title = cleanField(field(1)).trimmed();
    QString ingredients;
    for (int n = 2; n <= 26; ++n) {
        const QString part = cleanField(field(n)).trimmed();
        if (!part.isEmpty())
            ingredients += part + CrLf;
    }
    recipe.ingredients = convertFreeTextIngredients(ingredients);
    recipe.instructions = paragraphs(field(27));
    if (!field(28).trimmed().isEmpty())
        recipe.instructions += CrLf + CrLf + QStringLiteral("Time: ") + field(28).trimmed();
    recipe.servings = withoutServingWords(cleanField(field(29)));
    if (!field(30).trimmed().isEmpty())
        recipe.rating = field(30).trimmed().left(10);
    const QString notes = field(31).trimmed();
    if (!notes.isEmpty()) {
        if (!recipe.instructions.isEmpty())
            recipe.instructions += CrLf + CrLf + QStringLiteral("Notes: ") + notes;
        else
            recipe.instructions = QStringLiteral("Notes: ") + notes;
    }
    recipe.source = cleanField(field(34)).trimmed();
    QString category = f.mid(34).join(QLatin1Char(','));
    category.remove(QLatin1Char('"'));
    category = cleanField(category).trimmed();
    if (!category.isEmpty())
        recipe.categories = joinCategories({ category });
    recipe.instructions = collapseTripleBreaks(recipe.instructions);
    return true;
}
