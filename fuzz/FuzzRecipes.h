#pragma once

#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <cstdlib>
#include <memory>

// Set-up shared by the recipe import fuzz targets.

// An empty in-memory table with the catalogue's fields.
inline std::unique_ptr<Recordset> fuzzTable(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

// Aborts unless every recipe in rs is well formed: a name of 1 to 60 characters, servings of at most 8, packed
// ingredient and nutrition lines ending with "~", categories on one line; and, when maxIngredients is not
// negative, ingredient text of at most that length.
inline void checkImportedRecipes(Recordset& rs, int maxIngredients = -1)
{
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString name = rs.value(QStringLiteral("Name"));
        const QString ingredients = rs.value(QStringLiteral("Ingredients"));
        const QString nutrition = rs.value(QStringLiteral("Nutrition"));
        if (name.isEmpty() || name.size() > 60 || rs.value(QStringLiteral("Serves")).size() > 8
            || (maxIngredients >= 0 && ingredients.size() > maxIngredients)
            || (!ingredients.isEmpty() && !ingredients.endsWith(QLatin1Char('~')))
            || (!nutrition.isEmpty() && !nutrition.endsWith(QLatin1Char('~')))
            || rs.value(QStringLiteral("Category")).contains(QLatin1Char('\n')))
            std::abort();
    }
}
