#include "recipes/RecipeKeyIndex.h"

#include "storage/Recordset.h"

void RecipeKeyIndex::sync(const Recordset& recipes)
{
    if (m_table == &recipes && m_records == recipes.totalRecordCount())
        return;
    m_keys.clear();
    const int key = recipes.requireField(QStringLiteral("Key"));
    const auto rows = recipes.recordsInSortOrder();
    m_keys.reserve(static_cast<int>(rows.size()));
    for (const Recordset::Record* row : rows)
        ++m_keys[row->at(key).toCaseFolded()];
    m_table = &recipes;
    m_records = recipes.totalRecordCount();
}

void RecipeKeyIndex::invalidate()
{
    m_table = nullptr;
    m_records = -1;
    m_keys.clear();
}

void RecipeKeyIndex::added(const QString& key, const Recordset& recipes)
{
    if (m_table != &recipes)
        return;
    if (m_records != recipes.totalRecordCount() - 1) {
        invalidate(); // changed by something else as well
        return;
    }
    ++m_keys[key.toCaseFolded()];
    m_records = recipes.totalRecordCount();
}

void RecipeKeyIndex::removed(const QString& key, const Recordset& recipes)
{
    if (m_table != &recipes)
        return;
    if (m_records != recipes.totalRecordCount() + 1) {
        invalidate();
        return;
    }
    auto it = m_keys.find(key.toCaseFolded());
    if (it != m_keys.end() && --it.value() <= 0)
        m_keys.erase(it);
    m_records = recipes.totalRecordCount();
}
