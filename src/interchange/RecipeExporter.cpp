#include "interchange/RecipeExporter.h"

#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/SchemaOrgFormat.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"
#include "storage/SafeFile.h"

#include <QHash>

namespace RecipeExporter {

std::unique_ptr<RecipeFormat> writerFor(ExportLayout layout)
{
    if (layout == ExportLayout::MasterCook)
        return std::make_unique<MasterCookFormat>();
    if (layout == ExportLayout::JsonLd)
        return std::make_unique<SchemaOrgFormat>();
    return std::make_unique<MealMasterFormat>();
}

QVector<RecipeRecord> viewRecipes(Recordset& recipes)
{
    QVector<RecipeRecord> out;
    const int saved = recipes.position();
    out.reserve(recipes.recordCount());
    for (recipes.moveFirst(); !recipes.eof(); recipes.moveNext())
        out.append(RecipeRecord::fromCurrent(recipes));
    recipes.setPosition(saved);
    return out;
}

QVector<RecipeRecord> recipesByKey(Recordset& recipes, const QStringList& keys)
{
    QHash<QString, RecipeRecord> byKey;
    const int saved = recipes.position();
    const int statusField = recipes.requireField(QStringLiteral("STATUS"));
    for (recipes.moveFirst(); !recipes.eof(); recipes.moveNext()) {
        if (recipes.value(statusField) == RecordStatus::Deleted)
            continue;
        RecipeRecord r = RecipeRecord::fromCurrent(recipes);
        const QString folded = r.key.toLower();
        if (!byKey.contains(folded))
            byKey.insert(folded, r);
    }
    recipes.setPosition(saved);
    QVector<RecipeRecord> out;
    for (const QString& key : keys) {
        const auto it = byKey.constFind(key.toLower());
        if (it != byKey.constEnd())
            out.append(it.value());
    }
    return out;
}

Result exportToFile(const QString& path, ExportLayout layout, const QVector<RecipeRecord>& recipes,
                    const std::function<void(int)>& onProgress)
{
    Result result;
    const std::unique_ptr<RecipeFormat> writer = writerFor(layout);
    bool opened = false;
    const auto error = SafeFile::write(path, [&](QIODevice& device) {
        opened = true;
        if (!writer->beginFile(device)) {
            result.error = writer->errorString();
            return false;
        }
        for (const RecipeRecord& r : recipes) {
            if (!writer->write(device, r)) {
                result.error = writer->errorString();
                return false;
            }
            ++result.written;
            if (onProgress)
                onProgress(result.written);
        }
        if (!writer->endFile(device)) {
            result.error = writer->errorString();
            return false;
        }
        return true;
    });
    if (error) {
        result.openFailed = !opened;
        if (result.error.isEmpty())
            result.error = error->description();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace RecipeExporter
