#pragma once

#include "interchange/RecipeFormat.h"

#include <QStringList>

// Comma-separated files whose column order the user declares. Every record is a recipe (no heading line).
// Field names: "Title", "Ingredients", "Instructions", "Servings", "Source", "Categories" and
// "IGNORE this field" (a column that is skipped).
class CsvRecipeFormat : public RecipeFormat
{
public:
    explicit CsvRecipeFormat(QStringList fieldOrder = {});

    static const QString IgnoreField;
    // The field names offered to the user, in order, starting with IgnoreField.
    static QStringList availableFields();

    QString formatName() const override { return QStringLiteral("CSV"); }
    QString nameFilter() const override { return QStringLiteral("CSV files (*.csv *.txt)"); }
    bool canRead(const QString&) const override { return true; }
    bool read(LineSource& source, ImportedRecipe& recipe) override;

    QStringList fieldOrder() const { return m_order; }

private:
    QStringList m_order;
};
