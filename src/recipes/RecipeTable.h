#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class Recordset;
class RecipeKeyIndex;

// Operations on the recipe table shared by the recipe window, duplicate removal and the command line.
namespace RecipeTable {

// Most recipes the handheld can hold.
constexpr int kMaxRecipes = 15999;

// A text as a quoted literal of a filter or find expression, with every "'" doubled.
QString quoted(const QString& text);
// "Key = '<key>'", safe for any key.
QString keyEquals(const QString& key);

// Moves to the first record of the current view and finds the recipe with that key (ignoring letter
// case). False (and past the end) when there is none.
bool findKey(Recordset& recipes, const QString& key);

// For each list entry, how many entries before it hold the same key (ignoring letter case). Two recipes
// may share a key (an import can bring the same recipe twice); the n-th list entry of a key stands for the
// n-th record of that key in the list's view.
QVector<int> keyOccurrences(const QStringList& keysInListOrder);
// Finds the record standing for a list entry: the (occurrence + 1)-th record of the view with that key.
bool findEntry(Recordset& recipes, const QString& key, int occurrence);
// Finds the record of entry position of a list whose keys are keysInListOrder: the record at that position
// of the view when it holds the entry's key (the view is as the list was read from it), else by key and
// occurrence.
bool findListEntry(Recordset& recipes, const QStringList& keysInListOrder, int position);

// Deletes the current record under RecordStatus::markDeleted; a removal is told to index.
void deleteCurrent(Recordset& recipes, RecipeKeyIndex* index = nullptr);

// Number of recipes not marked deleted, whatever the table's filter.
int liveCount(const Recordset& recipes);

// A key for a recipe named name that no record of the table holds, deleted ones included: the name
// without "*" and "'" in lower case; while taken, the candidate loses its last character and gets a counter
// (2, 3, ...) appended, so «apple pie» gives «apple pi2», ..., «apple pi9», «apple pi10», «apple pi111».
// Leaves the table's filter as it was (and the position at the first record).
QString uniqueKey(Recordset& recipes, const QString& name);
// The same walk on a table whose filter is already cleared; leaves the filter alone.
QString uniqueKeyUnfiltered(Recordset& recipes, const QString& name);
// The same walk answered from a key index that is in step with the table.
QString uniqueKey(const RecipeKeyIndex& index, const QString& name);

// Deletes the recipes of the given list positions (keys of the list in its shown order, which is the
// order of the table's view) under the status rules. Returns how many records were found and deleted.
int deleteEntries(Recordset& recipes, const QStringList& keysInListOrder, QVector<int> positions,
                  RecipeKeyIndex* index = nullptr);

// The list positions of the recipes that repeat the recipe kept before them in list order: equal Name,
// Key and Ingredients, comparing letter case. Entries whose record is gone are skipped.
QVector<int> duplicatePositions(Recordset& recipes, const QStringList& keysInListOrder);
// Deletes those duplicates; returns how many were deleted.
int deleteDuplicates(Recordset& recipes, const QStringList& keysInListOrder, RecipeKeyIndex* index = nullptr);

} // namespace RecipeTable
