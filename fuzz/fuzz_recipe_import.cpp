// Recipe import of any bytes (text layouts found by their markers, or CSV when the first byte is odd), then an
// export of what came in and an import of that export: every run ends, and every saved recipe is well formed.
#include "FuzzInput.h"
#include "FuzzRecipes.h"

#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImportOptions options;
    if (size > 0 && (data[0] & 1)) {
        options.csv = true;
        options.csvFields = { QStringLiteral("Title"), QStringLiteral("Ingredients"), QStringLiteral("Instructions"),
                              QStringLiteral("Categories") };
    }
    auto recipes = fuzzTable(TableDef::Recipes);
    auto categories = fuzzTable(TableDef::Categories);
    {
        RecipeImporter importer(*recipes, categories.get());
        LineSource source(fuzzBytes(data, size));
        importer.run(source, options);
    }
    checkImportedRecipes(*recipes);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    MealMasterFormat mealMaster;
    MasterCookFormat masterCook;
    RecipeFormat& writer = size > 1 && (data[1] & 1) ? static_cast<RecipeFormat&>(masterCook) : mealMaster;
    for (const RecipeRecord& r : RecipeExporter::viewRecipes(*recipes)) {
        if (!writer.write(buffer, r))
            std::abort();
    }
    auto again = fuzzTable(TableDef::Recipes);
    RecipeImporter importer(*again, nullptr);
    LineSource source(buffer.data());
    importer.run(source, {});
    checkImportedRecipes(*again);
    return 0;
}
