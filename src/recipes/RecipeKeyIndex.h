#pragma once

#include <QHash>
#include <QString>

class Recordset;

// The keys of every record of a recipe table, deleted ones included, ignoring letter case: the set the
// unique-key walk searches, so that a save need not widen the table's view to all records.
//
// Built from the table on first use and kept up to date by the saves and deletes that go through it.
// When the table was replaced or records were added or removed by anything else (the record count
// differs), the next use builds it again.
class RecipeKeyIndex
{
public:
    // Makes the index match the table (rebuilding it when it is stale).
    void sync(const Recordset& recipes);
    // Drops everything; the next sync rebuilds.
    void invalidate();

    bool contains(const QString& key) const { return m_keys.contains(key.toCaseFolded()); }
    // Record the key of a record added to, or removed outright from, the table.
    void added(const QString& key, const Recordset& recipes);
    void removed(const QString& key, const Recordset& recipes);

private:
    const Recordset* m_table = nullptr;
    int m_records = -1;
    QHash<QString, int> m_keys;
};
