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

// The fixed decimal form a quantity master key is made from: "1 1/2" gives "0001.5000"; a text that is not a
// plain number, fraction or mixed number is returned unchanged.
QString fixedDecimalQuantity(const QString& quantity);

} // namespace DemoData
