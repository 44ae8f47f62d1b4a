#include "interchange/CsvFieldOrder.h"

#include "interchange/CsvRecipeFormat.h"

#include <algorithm>

void CsvFieldOrder::add(const QStringList& available)
{
    m_fields += available;
}

int CsvFieldOrder::remove(const QList<int>& rows)
{
    if (rows.isEmpty())
        return -1;
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    const int first = sorted.first();
    for (auto it = sorted.crbegin(); it != sorted.crend(); ++it) {
        if (*it >= 0 && *it < m_fields.size())
            m_fields.removeAt(*it);
    }
    if (m_fields.isEmpty())
        return -1;
    return qMin(first, static_cast<int>(m_fields.size()) - 1);
}

void CsvFieldOrder::all(const QStringList& available)
{
    m_fields.clear();
    for (const QString& f : available) {
        if (f != CsvRecipeFormat::IgnoreField)
            m_fields << f;
    }
}

int CsvFieldOrder::move(int row, bool up)
{
    if (row < 0 || row >= m_fields.size())
        return row;
    const int other = up ? row - 1 : row + 1;
    if (other < 0 || other >= m_fields.size())
        return row;
    m_fields.swapItemsAt(row, other);
    return other;
}
