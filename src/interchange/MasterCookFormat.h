#pragma once

#include "interchange/RecipeFormat.h"

// MasterCook text exports: "* Exported from MasterCook *", the centred title, the "Recipe By", "Serving Size"
// and "Categories" lines, the Amount/Measure/Ingredient table, the directions with an optional "Per Serving"
// nutrition line, and a line of "- - -" at the end.
class MasterCookFormat : public RecipeFormat
{
public:
    QString formatName() const override { return QStringLiteral("MasterCook"); }
    QString nameFilter() const override { return QStringLiteral("MasterCook files (*.mxp *.txt)"); }
    bool canRead(const QString& line) const override;
    bool read(LineSource& source, ImportedRecipe& recipe) override;
    bool canWrite() const override { return true; }
    bool write(QIODevice& device, const RecipeRecord& recipe) override;

    static QString recipeText(const RecipeRecord& recipe);
    // Blanks that centre a title in 75 columns: (75 - length) / 2, halves rounded to even; none for a title of
    // 75 characters or more.
    static int titleIndent(int titleLength);
    // Parses a "Per Serving" line into nutrition entries «amount|unit|name~» and the "Exchanges:" text (empty
    // when the line has none).
    static QString parseNutritionLine(const QString& line, QString* exchanges);
};
