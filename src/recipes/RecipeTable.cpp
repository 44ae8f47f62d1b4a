#include "recipes/RecipeTable.h"

#include "recipes/RecipeKeyIndex.h"

#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

#include <QHash>

#include <algorithm>
#include <functional>

namespace RecipeTable {

namespace {
    const QString kKey = QStringLiteral("Key");
    const QString kStatus = QStringLiteral("STATUS");
} // namespace

QString quoted(const QString& text)
{
    QString body = text;
    body.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + body + QLatin1Char('\'');
}

QString keyEquals(const QString& key)
{
    return QStringLiteral("Key = ") + quoted(key);
}

bool findKey(Recordset& recipes, const QString& key)
{
    recipes.moveFirst();
    return recipes.find(keyEquals(key));
}

void deleteCurrent(Recordset& recipes, RecipeKeyIndex* index)
{
    const QString key = index ? recipes.value(kKey) : QString();
    if (RecordStatus::markDeleted(recipes) && index)
        index->removed(key, recipes);
}

int liveCount(const Recordset& recipes)
{
    const int status = recipes.requireField(kStatus);
    int count = 0;
    for (const Recordset::Record* row : recipes.recordsInSortOrder()) {
        if (row->at(status) != RecordStatus::Deleted)
            ++count;
    }
    return count;
}

namespace {

    template <typename Taken> QString walkKeys(const QString& name, Taken&& taken)
    {
        QString candidate = NormalizeForMatch(name);
        if (!taken(candidate))
            return candidate;
        for (qint64 counter = 2;; ++counter) {
            candidate.chop(1);
            candidate += QString::number(counter);
            if (!taken(candidate))
                return candidate;
        }
    }

} // namespace

QString uniqueKeyUnfiltered(Recordset& recipes, const QString& name)
{
    // Each candidate is one look-up: the recordset answers a whole-value comparison from its key index.
    return walkKeys(name, [&](const QString& key) { return findKey(recipes, key); });
}

QString uniqueKey(const RecipeKeyIndex& index, const QString& name)
{
    return walkKeys(name, [&](const QString& key) { return index.contains(key); });
}

QString uniqueKey(Recordset& recipes, const QString& name)
{
    const QString listFilter = recipes.filter();
    if (!listFilter.isEmpty())
        recipes.setFilter(QString());
    const QString key = uniqueKeyUnfiltered(recipes, name);
    if (!listFilter.isEmpty())
        recipes.setFilter(listFilter);
    else
        recipes.moveFirst();
    return key;
}

QVector<int> keyOccurrences(const QStringList& keysInListOrder)
{
    QVector<int> out;
    out.reserve(keysInListOrder.size());
    QHash<QString, int> seen;
    for (const QString& key : keysInListOrder)
        out.append(seen[key.toCaseFolded()]++);
    return out;
}

bool findEntry(Recordset& recipes, const QString& key, int occurrence)
{
    if (!findKey(recipes, key))
        return false;
    for (int i = 0; i < occurrence; ++i) {
        recipes.moveNext();
        if (!recipes.find(keyEquals(key)))
            return false;
    }
    return true;
}

namespace {

    // The list is read from the view in order, so while the view is as the list was built, entry i is record i.
    // That record is taken when it holds the entry's key; otherwise the record is searched for by key.
    bool locate(Recordset& recipes, const QStringList& keys, const QVector<int>& occurrences, int position)
    {
        if (position < recipes.recordCount()) {
            recipes.setPosition(position);
            if (recipes.value(kKey).compare(keys.at(position), Qt::CaseInsensitive) == 0)
                return true;
        }
        return findEntry(recipes, keys.at(position), occurrences.at(position));
    }

} // namespace

bool findListEntry(Recordset& recipes, const QStringList& keysInListOrder, int position)
{
    if (position < 0 || position >= keysInListOrder.size())
        return false;
    if (position < recipes.recordCount()) {
        recipes.setPosition(position);
        if (recipes.value(kKey).compare(keysInListOrder.at(position), Qt::CaseInsensitive) == 0)
            return true;
    }
    const QString key = keysInListOrder.at(position).toCaseFolded();
    int occurrence = 0;
    for (int i = 0; i < position; ++i) {
        if (keysInListOrder.at(i).toCaseFolded() == key)
            ++occurrence;
    }
    return findEntry(recipes, keysInListOrder.at(position), occurrence);
}

int deleteEntries(Recordset& recipes, const QStringList& keysInListOrder, QVector<int> positions, RecipeKeyIndex* index)
{
    // From the last position backwards: deleting a record never moves the records of earlier entries, so
    // the occurrence numbers stay right.
    const QVector<int> occurrences = keyOccurrences(keysInListOrder);
    std::sort(positions.begin(), positions.end(), std::greater<int>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    int deleted = 0;
    for (int position : positions) {
        if (position < 0 || position >= keysInListOrder.size())
            continue;
        if (locate(recipes, keysInListOrder, occurrences, position)) {
            deleteCurrent(recipes, index);
            ++deleted;
        }
    }
    return deleted;
}

QVector<int> duplicatePositions(Recordset& recipes, const QStringList& keysInListOrder)
{
    const QVector<int> occurrences = keyOccurrences(keysInListOrder);
    QVector<int> out;
    // The first recipe is always kept, even one whose compared fields are all empty.
    bool haveKept = false;
    QString keptName, keptKey, keptIngredients;
    for (int i = 0; i < keysInListOrder.size(); ++i) {
        if (!locate(recipes, keysInListOrder, occurrences, i))
            continue;
        const QString name = recipes.value(QStringLiteral("Name"));
        const QString key = recipes.value(kKey);
        const QString ingredients = recipes.value(QStringLiteral("Ingredients"));
        if (haveKept && name == keptName && key == keptKey && ingredients == keptIngredients) {
            out.append(i);
        } else {
            haveKept = true;
            keptName = name;
            keptKey = key;
            keptIngredients = ingredients;
        }
    }
    return out;
}

int deleteDuplicates(Recordset& recipes, const QStringList& keysInListOrder, RecipeKeyIndex* index)
{
    return deleteEntries(recipes, keysInListOrder, duplicatePositions(recipes, keysInListOrder), index);
}

} // namespace RecipeTable
