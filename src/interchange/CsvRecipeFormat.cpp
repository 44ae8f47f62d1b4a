#include "interchange/CsvRecipeFormat.h"

#include "interchange/CsvRecordReader.h"
#include "interchange/FreeTextIngredients.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "interchange/PocketRecipesFormat.h"
#include "recipes/RecipeEncodings.h"

using namespace InterchangeText;

const QString CsvRecipeFormat::IgnoreField = QStringLiteral("IGNORE this field");

CsvRecipeFormat::CsvRecipeFormat(QStringList fieldOrder)
    : m_order(std::move(fieldOrder))
{
}

QStringList CsvRecipeFormat::availableFields()
{
    return { IgnoreField,
             QStringLiteral("Title"),
             QStringLiteral("Ingredients"),
             QStringLiteral("Instructions"),
             QStringLiteral("Servings"),
             QStringLiteral("Source"),
             QStringLiteral("Categories") };
}

bool CsvRecipeFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    if (!source.readLine())
        return fail(QStringLiteral("The file has no further record."));
    const QStringList f = CsvRecordReader::read(source);
    QString ingredients;
    for (int column = 0; column < m_order.size(); ++column) {
        const QString& name = m_order.at(column);
        const QString value = f.value(column);
        if (name == QLatin1String("Title")) {
            recipe.title = (recipe.title + QLatin1Char(' ') + cleanField(value)).trimmed();
        } else if (name == QLatin1String("Ingredients")) {
            QString v = normalizeLineBreaks(value);
            v.replace(QStringLiteral("\r\n\r\n"), CrLf);
            if (!v.isEmpty())
                ingredients += v + CrLf;
        } else if (name == QLatin1String("Instructions")) {
            const QChar mark(0xE000);
            QString v = normalizeLineBreaks(value);
            v.replace(QStringLiteral("\r\n\r\n"), QString(mark));
            v.replace(CrLf, QStringLiteral(" "));
            v.replace(mark, CrLf + CrLf);
            v = v.trimmed();
            v.replace(QStringLiteral("\\n"), CrLf);
            if (!v.isEmpty())
                recipe.instructions += v + CrLf;
        } else if (name == QLatin1String("Servings")) {
            recipe.servings = PocketRecipesFormat::withoutServingWords(cleanField(value));
        } else if (name == QLatin1String("Source")) {
            QString v = value;
            v.replace(QStringLiteral("\r\n\r\n"), CrLf);
            v.remove(CrLf);
            recipe.source = v.trimmed();
        } else if (name == QLatin1String("Categories")) {
            QString v = value;
            v.replace(CrLf, QStringLiteral(" "));
            v = v.trimmed();
            if (!v.isEmpty())
                recipe.categories += joinCategories({ v });
        }
        // IgnoreField: the column is skipped.
    }
    recipe.ingredients = convertFreeTextIngredients(ingredients);
    recipe.instructions = collapseTripleBreaks(recipe.instructions);
    return true;
}
