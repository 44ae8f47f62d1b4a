#include "interchange/WizardFormat.h"

#include "interchange/FreeTextIngredients.h"
#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "recipes/RecipeEncodings.h"

#include <QStringList>

using namespace InterchangeText;

QString WizardFormat::ingredientLines(QString field)
{
    for (int run = 12; run >= 3; --run)
        field.replace(QString(run, QLatin1Char(' ')), QStringLiteral(" "));
    field.replace(QStringLiteral("  g  "), QStringLiteral(" g "));
    field.replace(QStringLiteral(" g  "), QStringLiteral(" g "));
    field.replace(QStringLiteral(" c  "), QStringLiteral(" c "));
    field.replace(QStringLiteral(" t  "), QStringLiteral(" t "));
    field.replace(QStringLiteral("    To "), QStringLiteral(" To "));
    field.replace(QStringLiteral("  "), CrLf);
    return field + CrLf;
}

bool WizardFormat::read(LineSource& source, ImportedRecipe& recipe)
{
    if (!source.readLine())
        return fail(QStringLiteral("The file ends after the Cookbook Wizard heading."));
    const QStringList f = source.current().split(QLatin1Char(','));
    auto field = [&](int n) { return f.value(n - 1).trimmed(); };
    recipe.title = field(2);
    recipe.servings = field(3);
    for (int n : { 6, 7 }) {
        if (!field(n).isEmpty())
            recipe.categories += joinCategories({ field(n) });
    }
    recipe.ingredients = convertFreeTextIngredients(ingredientLines(f.value(17)));
    // The instructions are the last field; commas inside them belong to the text.
    QString instructions = f.mid(18).join(QLatin1Char(',')).trimmed();
    while (instructions.endsWith(QLatin1Char(',')))
        instructions = instructions.chopped(1).trimmed();
    recipe.instructions = collapseTripleBreaks(instructions);
    return true;
}
