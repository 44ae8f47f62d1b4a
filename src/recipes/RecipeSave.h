#pragma once

#include "recipes/RecipeRecord.h"

#include <QString>

class Recordset;
class RecipeKeyIndex;

// What the recipe window hands to a save.
struct RecipeSaveInput
{
    // The shown texts; key is the key the recipe was shown with (empty for a new one).
    RecipeRecord fields;
    // The name the recipe was shown or started with.
    QString savedName;
    // A new recipe or a copy not yet saved.
    bool adding = false;
    // Which record of fields.key in the list's view is the shown one (two records can share a key).
    int occurrence = 0;
};

struct RecipeSaveResult
{
    enum Kind {
        // Nothing written: the name is empty.
        EmptyName,
        // An existing recipe written in place under its own key (the list needs no rebuild).
        Updated,
        // A new record added: a new recipe, a copy, or a renamed one (its old record deleted).
        Added,
    };
    Kind kind = EmptyName;
    QString key; // the key written
    QString status; // the status word written
};

// Saves the shown recipe into the recipe table under the status rules the conduit relies on:
// - an unchanged name writes the record in place with the status RecordStatus::changedInPlace gives;
// - a new recipe is added with a key unique over all records (deleted ones included) as a new record;
// - a changed name deletes the old record (RecordStatus::markDeleted) and adds the recipe as a new record
//   with a new unique key and the old record id, so the conduit sees a delete and an add.
// Other1 is never taken from the window: a record written in place keeps it, a renamed recipe carries it to
// its new record, a new recipe leaves it empty. listFilter is the recipe list's filter; the table's view is
// that filter before (it is applied when another one is in force) and after the call.
//
// With a key index the key walk is answered from it and the view is never widened: an added record is then
// appended to the end of the list's view until the view is rebuilt (the window rebuilds its list after an
// add). Without one, the filter is cleared for the walk and put back afterwards.
RecipeSaveResult saveRecipe(Recordset& recipes, const RecipeSaveInput& input, const QString& listFilter,
                            RecipeKeyIndex* index = nullptr);
