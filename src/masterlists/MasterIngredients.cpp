#include "masterlists/MasterIngredients.h"

#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

namespace {
constexpr int kMaxIngredient = 80;

void appendIngredient(Recordset& rs, const QString& item)
{
    RecordStatus::addNew(rs);
    rs.setValue(QStringLiteral("IngrMaster"), item.left(kMaxIngredient));
    rs.setValue(QStringLiteral("IngrKey"), NormalizeForMatch(item).left(kMaxIngredient));
    rs.update();
}
} // namespace

namespace MasterIngredients {

bool autoAdd(Recordset& ingredients, const QString& item)
{
    if (item.isEmpty() || ingredients.recordCount() >= kAutoAddLimit)
        return false;
    // Keys hold no quote (NormalizeForMatch removes it), so the key stands in the criteria as it is.
    const QString key = NormalizeForMatch(item).left(kMaxIngredient);
    ingredients.moveFirst();
    if (ingredients.find(QStringLiteral("IngrKey = '") + key + QLatin1Char('\'')))
        return false;
    appendIngredient(ingredients, item);
    return true;
}

int addAll(Recordset& ingredients, const QStringList& items, bool* full)
{
    if (full)
        *full = false;
    int added = 0;
    for (const QString& item : items) {
        if (ingredients.recordCount() > kAddAllLimit) {
            if (full)
                *full = true;
            break;
        }
        if (item.isEmpty())
            continue;
        appendIngredient(ingredients, item);
        ++added;
    }
    return added;
}

} // namespace MasterIngredients
