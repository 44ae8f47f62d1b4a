#pragma once

#include <QString>

// A recipe as a reader found it, before the save step cuts the fields to their widths and makes the title
// unique. Ingredients and nutrition are already in the item-line encoding («qty|units|item~»); categories in
// the category list encoding («name~»); instructions use CR LF line breaks.
struct ImportedRecipe
{
    QString title;
    QString categories;
    QString servings;
    QString ingredients;
    QString instructions;
    QString nutrition;
    QString rating;
    QString source;

    bool isEmpty() const
    {
        return title.trimmed().isEmpty() && ingredients.isEmpty() && instructions.trimmed().isEmpty();
    }
};
