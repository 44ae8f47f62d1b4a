#pragma once

#include "recipes/RecipeEncodings.h"

#include <QString>
#include <QVector>

// Field preparation shared by the two export layouts.
namespace ExportText {

// Category list text «A~B~» as "A, B"; empty entries are left out.
QString categoryText(const QString& category);
// The ingredient entries of an item-line text: every "~"-ended piece longer than 3 characters; a piece without
// "|" is an item with empty quantity and units.
QVector<ItemLine> ingredientEntries(const QString& ingredients);
// "Per Serving (excluding unknown items): " followed by "amount unit name;" per nutrition entry, with the
// fat percentage put in brackets and the final ";" made ".".
QString nutritionText(const QString& nutrition);

} // namespace ExportText
