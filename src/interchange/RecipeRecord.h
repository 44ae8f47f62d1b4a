#pragma once

#include <QString>

class Recordset;

// The recipe fields an export or a plain-text copy reads, taken from one record of the recipe table.
struct RecipeRecord
{
    QString key;
    QString name;
    QString category;
    QString serves;
    QString ingredients;
    QString instructions;
    QString nutrition;
    QString rtgSrc;

    // The current record of a recipe recordset (which must have a current record).
    static RecipeRecord fromCurrent(const Recordset& recipes);

    // Rating and source as splitRtgSrc decodes RtgSrc for every reader of the field.
    QString rating() const;
    QString source() const;
};
