#include "recipes/SearchCriteria.h"

#include "recipes/RecipeTable.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

bool SearchCriteria::isEmpty() const
{
    return name.isEmpty() && category1.isEmpty() && category2.isEmpty() && ingredient.isEmpty()
        && instructions.isEmpty() && source.isEmpty() && rating.isEmpty();
}

void SearchCriteria::clearTexts()
{
    name.clear();
    category1.clear();
    category2.clear();
    ingredient.clear();
    instructions.clear();
    source.clear();
    rating.clear();
}

namespace {

QString contains(const QString& field, const QString& text)
{
    return field + QStringLiteral(" like ") + RecipeTable::quoted(QLatin1Char('*') + text + QLatin1Char('*'));
}

QString categoryComparison(const QString& text)
{
    if (text == SearchCriteria::blankCategory())
        return QStringLiteral("Category = ''");
    return contains(QStringLiteral("Category"), text);
}

} // namespace

QString RecipeListFilter(const SearchCriteria& criteria)
{
    QStringList comparisons;
    if (!criteria.category1.isEmpty())
        comparisons << categoryComparison(criteria.category1);
    if (!criteria.category2.isEmpty())
        comparisons << categoryComparison(criteria.category2);
    if (!criteria.ingredient.isEmpty())
        comparisons << contains(QStringLiteral("Ingredients"), criteria.ingredient);
    if (!criteria.instructions.isEmpty())
        comparisons << contains(QStringLiteral("Instructions"), criteria.instructions);
    if (!criteria.name.isEmpty())
        comparisons << contains(QStringLiteral("Name"), criteria.name);
    if (!criteria.source.isEmpty())
        comparisons << contains(QStringLiteral("RtgSrc"), criteria.source);
    if (!criteria.rating.isEmpty())
        comparisons << contains(QStringLiteral("RtgSrc"), criteria.rating);

    const QString live = RecordStatus::LiveFilter;
    if (comparisons.isEmpty())
        return live;
    if (criteria.combine == SearchCriteria::Combine::And)
        return live + QStringLiteral(" AND (") + comparisons.join(QStringLiteral(" AND ")) + QLatin1Char(')');
    QStringList groups;
    for (const QString& c : comparisons)
        groups << QLatin1Char('(') + c + QStringLiteral(" AND ") + live + QLatin1Char(')');
    return groups.join(QStringLiteral(" OR "));
}

RecipeListing listRecipes(Recordset& recipes, const SearchCriteria& criteria)
{
    recipes.setFilter(RecipeListFilter(criteria));
    if (recipes.sort() != QLatin1String("Name ASC"))
        recipes.setSort(QStringLiteral("Name ASC"));
    RecipeListing out;
    const int count = recipes.recordCount();
    out.names.reserve(count);
    out.keys.reserve(count);
    const int name = recipes.requireField(QStringLiteral("Name"));
    const int key = recipes.requireField(QStringLiteral("Key"));
    for (recipes.moveFirst(); !recipes.eof(); recipes.moveNext()) {
        out.names.append(recipes.value(name));
        out.keys.append(recipes.value(key));
    }
    recipes.moveFirst();
    return out;
}

QString listStatePrefix(const SearchCriteria& criteria)
{
    return criteria.isEmpty() ? QStringLiteral("Listing All: ") : QStringLiteral("Search Results: ");
}

QString listStatusText(const SearchCriteria& criteria, int count)
{
    return listStatePrefix(criteria) + QLatin1Char('(') + QString::number(count) + QStringLiteral(" Recipes)");
}
