#pragma once

#include <QString>

class Recordset;

// One recipe's texts as the recipe table holds them, with rating and source decoded from RtgSrc. The recipe
// window shows and saves it; exports, copies, reports and the command line read it.
struct RecipeRecord
{
    QString id;
    QString status;
    QString key;
    QString name;
    QString category;
    QString serves;
    QString ingredients;
    QString instructions;
    QString nutrition;
    QString rating;
    QString source;
    QString picture;

    // Reads the current record of the recipe table (which must have one); RtgSrc is decoded by splitRtgSrc.
    static RecipeRecord fromCurrent(const Recordset& recipes);
    // A recipe not yet saved: the id and status of RecordStatus::addNew, everything else empty.
    static RecipeRecord blank();
};
