#pragma once

#include "recipes/RecipeRecord.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class Recordset;
class RecipeFormat;

// The layouts recipes are exported in; the numbers are those stored under "ExportType". JsonLd is a JSON
// array of schema.org Recipe objects, as web recipe managers read them.
enum class ExportLayout { MealMaster = 0, MasterCook = 1, JsonLd = 2 };

// Writes recipes to an export file.
namespace RecipeExporter {

// The writer of a layout.
std::unique_ptr<RecipeFormat> writerFor(ExportLayout layout);

// The recipes of the table's current view, first to last. Leaves the table's position where it was.
QVector<RecipeRecord> viewRecipes(Recordset& recipes);
// The live recipes with these keys (compared without regard to letter case), in the order of the keys; keys
// that match no recipe are left out. Leaves the table's position where it was.
QVector<RecipeRecord> recipesByKey(Recordset& recipes, const QStringList& keys);

struct Result
{
    bool ok = false;
    int written = 0;
    // Set when the file could not be created (the user is asked to check the name).
    bool openFailed = false;
    QString error;
};

// Writes the recipes to path through a temporary file that replaces the old one only when every recipe was
// written. onProgress is called after each recipe with the number written so far.
Result exportToFile(const QString& path, ExportLayout layout, const QVector<RecipeRecord>& recipes,
                    const std::function<void(int)>& onProgress = {});

} // namespace RecipeExporter
