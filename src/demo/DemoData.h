#pragma once

#include "base/AppError.h"

#include <QString>

#include <optional>

// A small cookbook to try the program with: about twenty recipes with ingredients, instructions, categories,
// sources, ratings and some nutrition, the nine master lists and the shared preferences.
namespace DemoData {

// Creates the folder if needed and writes all thirteen table files filled with the demo cookbook. Refuses
// (and writes nothing) when any table file already exists.
std::optional<AppError> create(const QString& folder);

// Number of recipes in the demo cookbook.
int recipeCount();

} // namespace DemoData
