#pragma once

#include <QString>
#include <QStringList>

class Recordset;

// The criteria of the recipe search, kept between searches. All seven texts empty means no search is in
// force. Texts are kept as typed; quoting happens when the filter is built.
struct SearchCriteria
{
    enum class Combine { And, Or };
    enum class Outcome { None, Search, Cancel };

    QString name;
    QString category1;
    QString category2;
    QString ingredient;
    QString instructions;
    QString source;
    QString rating;
    Combine combine = Combine::And;
    // How the search window was last closed.
    Outcome outcome = Outcome::None;

    // The category criterion that matches recipes without any category.
    static QString blankCategory() { return QStringLiteral("<blank>"); }

    bool isEmpty() const;
    // Empties the seven texts (the combine choice and outcome stay).
    void clearTexts();
};

// The filter expression for the recipe list: live records, narrowed by one substring comparison (ignoring
// letter case) per non-empty criterion in the order category 1, category 2, ingredient, instructions,
// name, source, rating; "<blank>" as a category matches an empty Category. AND joins the comparisons
// inside one group; OR gives each comparison its own group with the live test. Quotes are doubled.
QString RecipeListFilter(const SearchCriteria& criteria);

// The recipe list as shown: names and keys in the same order.
struct RecipeListing
{
    QStringList names;
    QStringList keys;
};

// Applies the filter of criteria to the recipe table, sorts it by name and reads the list. Leaves the table
// filtered and at its first record. Throws RecordsetError when the filter cannot be applied.
RecipeListing listRecipes(Recordset& recipes, const SearchCriteria& criteria);

// "Search Results: " when any criterion is set, else "Listing All: ".
QString listStatePrefix(const SearchCriteria& criteria);
// The prefix followed by "(<count> Recipes)".
QString listStatusText(const SearchCriteria& criteria, int count);
