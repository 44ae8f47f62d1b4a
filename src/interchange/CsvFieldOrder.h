#pragma once

#include <QList>
#include <QStringList>

// The column order list of a CSV import, edited with the window's buttons. Rows are 0-based; a selection is a
// list of rows.
class CsvFieldOrder
{
public:
    const QStringList& fields() const { return m_fields; }
    void setFields(const QStringList& fields) { m_fields = fields; }

    // Appends the given available fields in order.
    void add(const QStringList& available);
    // Removes the selected rows; returns the row to select afterwards (the first removed place, or the last
    // row), or -1 when the list is empty.
    int remove(const QList<int>& rows);
    // Every available field except "IGNORE this field", replacing the list.
    void all(const QStringList& available);
    void none() { m_fields.clear(); }
    // Swaps the row with its neighbour above (up) or below; returns the row the entry now has (unchanged at
    // either end or for a row outside the list).
    int move(int row, bool up);

private:
    QStringList m_fields;
};
