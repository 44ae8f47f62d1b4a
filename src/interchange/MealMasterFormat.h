#pragma once

#include "interchange/RecipeFormat.h"

// Meal-Master and RecipeCenter text archives: a header line naming the program, the Title, Categories and
// Yield (or Servings) lines, the fixed-column ingredient block (one or two columns, "-"/"MM" section
// headings, "-" continuation lines), the directions and an end line ("MMMMM" or "-----").
class MealMasterFormat : public RecipeFormat
{
public:
    QString formatName() const override { return QStringLiteral("Meal-Master"); }
    QString nameFilter() const override { return QStringLiteral("Meal-Master files (*.mmf *.mm *.txt)"); }
    bool canRead(const QString& line) const override;
    // A recipe header: a line starting with "MMMMM" or "-----" that names Meal-Master or RecipeCenter.
    static bool isHeaderLine(const QString& line);
    bool read(LineSource& source, ImportedRecipe& recipe) override;
    bool canWrite() const override { return true; }
    bool write(QIODevice& device, const RecipeRecord& recipe) override;

    // The two-character unit code written for a recipe's units: units of one or two characters as they are,
    // Meal-Master's code for a unit the vocabulary knows ("cups" "c", "pound" "lb", "tablespoon" "tb"), else
    // the first two characters.
    static QString unitCode(const QString& units);
    // The text of one recipe as written (used by write()).
    static QString recipeText(const RecipeRecord& recipe);
    // Wraps a text into lines of at most 75 characters (cut after the last blank unless the piece is shorter
    // than 60 characters or has no blank), each paragraph of the text on its own lines.
    static QStringList wrapInstructions(const QString& text);
};
