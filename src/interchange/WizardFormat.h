#pragma once

#include "interchange/RecipeFormat.h"

// Cookbook Wizard exports: a heading line ("Number,Name,...") and one recipe per line with comma-separated
// fields (number, title, servings, two unused, two categories, ten unused, the ingredients with items
// separated by two blanks, the instructions).
class WizardFormat : public RecipeFormat
{
public:
    QString formatName() const override { return QStringLiteral("Cookbook Wizard"); }
    QString nameFilter() const override { return QStringLiteral("Cookbook Wizard files (*.txt *.csv)"); }
    bool canRead(const QString& line) const override { return line.trimmed().startsWith(QLatin1String("Number,Name")); }
    bool read(LineSource& source, ImportedRecipe& recipe) override;

    // The ingredient field as free-text lines (CR LF separated).
    static QString ingredientLines(QString field);
};
