// Web recipe import of any bytes, as a JSON file, as a page or as the data block of a page (the first byte
// chooses), then an export of what came in as JSON and an import of that export: every run ends, every saved
// recipe is well formed, and the export reads back whole.
#include "FuzzInput.h"
#include "FuzzRecipes.h"

#include "interchange/LineSource.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "interchange/SchemaOrgFormat.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = fuzzBytes(data, size);
    if (size > 0 && data[0] % 3 == 1)
        bytes = "<html><body><script type=\"application/ld+json\">" + bytes + "</script></body></html>";
    else if (size > 0 && data[0] % 3 == 2)
        bytes = "[" + bytes + "]";

    auto recipes = fuzzTable(TableDef::Recipes);
    auto categories = fuzzTable(TableDef::Categories);
    {
        RecipeImporter importer(*recipes, categories.get());
        LineSource source(bytes);
        importer.run(source, {});
    }
    checkImportedRecipes(*recipes, 4000);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SchemaOrgFormat writer;
    const QVector<RecipeRecord> records = RecipeExporter::viewRecipes(*recipes);
    if (!writer.beginFile(buffer))
        std::abort();
    for (const RecipeRecord& r : records) {
        if (!writer.write(buffer, r))
            std::abort();
    }
    if (!writer.endFile(buffer) || QJsonDocument::fromJson(buffer.data()).array().size() != records.size())
        std::abort();

    auto again = fuzzTable(TableDef::Recipes);
    RecipeImporter importer(*again, nullptr);
    LineSource source(buffer.data());
    const ImportResult result = importer.run(source, {});
    if (result.saved != records.size())
        std::abort();
    checkImportedRecipes(*again, 4000);
    return 0;
}
