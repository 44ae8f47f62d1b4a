// Recipe import of any bytes (text layouts found by their markers, or CSV when the first byte is odd), then an
// export of what came in and an import of that export: every run ends, and every saved recipe is well formed.
#include "FuzzInput.h"

#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QBuffer>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<Recordset> table(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

void check(Recordset& rs)
{
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString name = rs.value(QStringLiteral("Name"));
        const QString ingredients = rs.value(QStringLiteral("Ingredients"));
        if (name.isEmpty() || name.size() > 60 || rs.value(QStringLiteral("Serves")).size() > 8
            || (!ingredients.isEmpty() && !ingredients.endsWith(QLatin1Char('~')))
            || rs.value(QStringLiteral("Category")).contains(QLatin1Char('\n')))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImportOptions options;
    if (size > 0 && (data[0] & 1)) {
        options.csv = true;
        options.csvFields = { QStringLiteral("Title"), QStringLiteral("Ingredients"), QStringLiteral("Instructions"),
                              QStringLiteral("Categories") };
    }
    auto recipes = table(TableDef::Recipes);
    auto categories = table(TableDef::Categories);
    {
        RecipeImporter importer(*recipes, categories.get());
        LineSource source(fuzzBytes(data, size));
        importer.run(source, options);
    }
    check(*recipes);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    MealMasterFormat mealMaster;
    MasterCookFormat masterCook;
    RecipeFormat& writer = size > 1 && (data[1] & 1) ? static_cast<RecipeFormat&>(masterCook) : mealMaster;
    for (const RecipeRecord& r : RecipeExporter::viewRecipes(*recipes)) {
        if (!writer.write(buffer, r))
            std::abort();
    }
    auto again = table(TableDef::Recipes);
    RecipeImporter importer(*again, nullptr);
    LineSource source(buffer.data());
    importer.run(source, {});
    check(*again);
    return 0;
}
