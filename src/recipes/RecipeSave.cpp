#include "recipes/RecipeSave.h"

#include "recipes/RecipeEncodings.h"
#include "recipes/RecipeKeyIndex.h"
#include "recipes/RecipeTable.h"
#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

namespace {

void writeFields(Recordset& rs, const RecipeRecord& f, const QString& key, const QString& status)
{
    rs.setValue(QStringLiteral("REC_ID"), f.id.isEmpty() ? RecordStatus::NewId : f.id);
    rs.setValue(QStringLiteral("STATUS"), status);
    rs.setValue(QStringLiteral("Key"), key);
    rs.setValue(QStringLiteral("Name"), f.name);
    rs.setValue(QStringLiteral("Category"), f.category);
    rs.setValue(QStringLiteral("Serves"), f.serves);
    rs.setValue(QStringLiteral("Ingredients"), f.ingredients);
    rs.setValue(QStringLiteral("Instructions"), f.instructions);
    rs.setValue(QStringLiteral("Nutrition"), f.nutrition);
    rs.setValue(QStringLiteral("RtgSrc"), composeRtgSrc(f.rating, f.source));
    rs.setValue(QStringLiteral("Picture"), f.picture);
    rs.update();
}

} // namespace

RecipeSaveResult saveRecipe(Recordset& rs, const RecipeSaveInput& input, const QString& listFilter,
                            RecipeKeyIndex* index)
{
    RecipeSaveResult result;
    const RecipeRecord& f = input.fields;
    if (f.name.isEmpty())
        return result;
    if (rs.filter() != listFilter)
        rs.setFilter(listFilter);

    bool adding = input.adding;
    QString status = f.status;
    QString other1;

    if (!adding && f.name == input.savedName) {
        // Written in place, in the list's view.
        if (RecipeTable::findEntry(rs, f.key, input.occurrence)) {
            status = RecordStatus::changedInPlace(status);
            writeFields(rs, f, f.key, status);
            result.kind = RecipeSaveResult::Updated;
            result.key = f.key;
            result.status = status;
            return result;
        }
        // The record is gone from the table (nothing in the windows leads here): keep the user's work as a
        // new recipe rather than lose it.
        adding = true;
        status = RecordStatus::New;
    } else if (!adding) {
        // Renamed: the old record goes, the recipe comes back as a new record under its new key.
        if (RecipeTable::findEntry(rs, f.key, input.occurrence)) {
            other1 = rs.value(QStringLiteral("Other1"));
            RecipeTable::deleteCurrent(rs, index);
        }
        adding = true;
        status = RecordStatus::New;
    }

    QString key;
    if (index) {
        index->sync(rs);
        key = RecipeTable::uniqueKey(*index, f.name);
    } else {
        rs.setFilter(QString());
        key = RecipeTable::uniqueKeyUnfiltered(rs, f.name);
    }
    RecordStatus::addNew(rs);
    writeFields(rs, f, key, status);
    rs.setValue(QStringLiteral("Other1"), other1);
    rs.update();
    if (index)
        index->added(key, rs);
    else
        rs.setFilter(listFilter);

    result.kind = RecipeSaveResult::Added;
    result.key = key;
    result.status = status;
    return result;
}
