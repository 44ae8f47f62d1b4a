#pragma once

#include "interchange/RecipeFormat.h"

// PocketRecipes comma-separated exports: a heading line ("Title,Ingreds,..." or "\"Title\",\"Ingreds\"...")
// and then one record per recipe: title, 25 ingredient fields, instructions, time, servings, rating, notes,
// two unused fields, source and the category.
class PocketRecipesFormat : public RecipeFormat
{
public:
    QString formatName() const override { return QStringLiteral("PocketRecipes"); }
    QString nameFilter() const override { return QStringLiteral("PocketRecipes files (*.csv *.txt)"); }
    bool canRead(const QString& line) const override;
    bool read(LineSource& source, ImportedRecipe& recipe) override;

    // Removes the serving words ("Serves:", "Servings", "Yields", ...) from a servings field.
    static QString withoutServingWords(QString text);
};
