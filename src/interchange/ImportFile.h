#pragma once

#include "interchange/RecipeImporter.h"

#include <QString>

// Running an import from a file, shared by the import window and the command-line tool.
namespace ImportFile {

// "Importing Recipes: N", with " (DONE)" when the run is over.
QString progressText(int count, bool done);

// Reads the file at path and imports its recipes with the importer. Returns false, with the reason in error,
// when the file cannot be opened; the importer's result goes to result.
bool run(const QString& path, RecipeImporter& importer, const ImportOptions& options, ImportResult& result,
         QString* error);

// A short account of the skipped recipes ("2 recipes could not be read: line 40: ..."), empty when none.
// maxListed < 0 lists every one.
QString skippedSummary(const ImportResult& result, int maxListed = 5);

// Writes the original text of every recipe the run did not import (the skipped ones, then the rest of the
// file when the recipe limit stopped the run) to path, unchanged, so that it can be mended and imported
// again. An empty file when there are none. Returns the error text, or an empty text on success.
QString writeRejects(const QString& path, const ImportResult& result);

} // namespace ImportFile
