#pragma once

#include <QString>

// Search criteria for a headless recipe report: the texts of the recipe search, combined with AND or OR.
// Empty texts take no part; "<blank>" as a category matches recipes without a category.
struct RecipeSearchFilter
{
    QString name;
    QString category1;
    QString category2;
    QString ingredient;
    QString instruction;
    QString source;
    QString rating;
    bool combineOr = false;

    bool isEmpty() const;
    // The filter expression for the recipe table; never lets a deleted record through and quotes every
    // criterion so that no typed text can change the expression.
    QString expression() const;
};
