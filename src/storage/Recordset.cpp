#include "storage/Recordset.h"

#include "storage/FilterExpression.h"

#include <algorithm>

RecordsetError::RecordsetError(const QString& message)
    : std::logic_error(message.toStdString())
{
}

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::appendField(const QString& name, int maxLength, bool /*fixedLength*/)
{
    const QString folded = name.toCaseFolded();
    if (m_fieldLookup.contains(folded))
        throw RecordsetError(QStringLiteral("Field \"%1\" defined twice").arg(name));
    if (!m_rows.empty())
        throw RecordsetError(QStringLiteral("Field \"%1\" defined after records were added").arg(name));
    m_fieldLookup.insert(folded, m_fieldNames.size());
    m_fieldNames.append(name);
    m_maxLengths.append(maxLength);
}

int Recordset::fieldIndex(const QString& name) const
{
    return m_fieldLookup.value(name.toCaseFolded(), -1);
}

int Recordset::requireField(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw RecordsetError(QStringLiteral("Unknown field \"%1\"").arg(name));
    return index;
}

void Recordset::addNew()
{
    auto row = std::make_unique<Row>();
    row->values.resize(m_fieldNames.size());
    m_view.push_back(row.get());
    m_rows.push_back(std::move(row));
    m_pos = static_cast<int>(m_view.size()) - 1;
    invalidateIndexes();
}

void Recordset::appendRecord(QVector<QString> values)
{
    auto row = std::make_unique<Row>();
    values.resize(m_fieldNames.size());
    row->values = std::move(values);
    Row* raw = row.get();
    m_rows.push_back(std::move(row));
    if (!m_filter || m_filter->matches(raw->values)) {
        // Keep the view's order: with a sort, the next rebuild places the record; until then it is last.
        m_view.push_back(raw);
        invalidateIndexes();
    }
}

void Recordset::update()
{
    // Values are stored as they are set; nothing is pending.
}

void Recordset::deleteCurrent()
{
    Row* row = &currentRow();
    m_view.erase(m_view.begin() + m_pos);
    auto it = std::find_if(m_rows.begin(), m_rows.end(), [row](const auto& p) { return p.get() == row; });
    m_rows.erase(it);
    invalidateIndexes();
}

Recordset::Row& Recordset::currentRow() const
{
    if (m_pos < 0 || m_pos >= static_cast<int>(m_view.size()))
        throw RecordsetError(QStringLiteral("No current record"));
    return *m_view[static_cast<size_t>(m_pos)];
}

QString Recordset::value(const QString& field) const
{
    return value(requireField(field));
}

QString Recordset::value(int field) const
{
    return currentRow().values.at(field);
}

void Recordset::setValue(const QString& field, const QString& value)
{
    setValue(requireField(field), value);
}

void Recordset::setValue(int field, const QString& value)
{
    Row& row = currentRow();
    if (field < 0 || field >= row.values.size())
        throw RecordsetError(QStringLiteral("Field index %1 out of range").arg(field));
    row.values[field] = value;
    if (row.sortKeyField == field)
        row.sortKeyField = -1;
    invalidateIndex(field);
}

void Recordset::moveFirst()
{
    m_pos = 0;
}

void Recordset::moveLast()
{
    m_pos = m_view.empty() ? 0 : static_cast<int>(m_view.size()) - 1;
}

void Recordset::moveNext()
{
    if (m_pos < static_cast<int>(m_view.size()))
        ++m_pos;
}

void Recordset::movePrevious()
{
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::move(int count)
{
    setPosition(m_pos + count);
}

bool Recordset::eof() const
{
    return m_pos >= static_cast<int>(m_view.size()) || m_view.empty();
}

bool Recordset::bof() const
{
    return m_pos < 0 || m_view.empty();
}

void Recordset::setPosition(int position)
{
    m_pos = std::clamp(position, -1, static_cast<int>(m_view.size()));
}

void Recordset::setFilter(const QString& expression)
{
    std::unique_ptr<FilterExpression> parsed;
    if (!expression.trimmed().isEmpty())
        parsed = FilterExpression::parse(expression, [this](const QString& n) { return fieldIndex(n); });
    m_filter = std::move(parsed);
    m_filterText = expression;
    rebuildView();
}

void Recordset::setSort(const QString& sort)
{
    const QString text = sort.trimmed();
    int field = -1;
    if (!text.isEmpty()) {
        const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() > 2 || (parts.size() == 2 && parts.at(1).compare(QLatin1String("ASC"), Qt::CaseInsensitive)))
            throw RecordsetError(QStringLiteral("Unsupported sort \"%1\": one field, ascending").arg(sort));
        field = requireField(parts.at(0));
    }
    m_sortField = field;
    m_sortText = sort;
    rebuildView();
}

namespace {
// Sorts rows by the case-folded value of field, ties in their present order. Folded values are cached on
// the rows, so sorting again by the same field folds only the values changed since.
template <typename RowPtr> void sortRows(std::vector<RowPtr>& rows, int field)
{
    if (field < 0)
        return;
    for (RowPtr row : rows) {
        if (row->sortKeyField != field) {
            row->sortKey = row->values.at(field).toCaseFolded();
            row->sortKeyField = field;
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](RowPtr a, RowPtr b) { return a->sortKey < b->sortKey; });
}
} // namespace

void Recordset::rebuildView()
{
    m_view.clear();
    m_view.reserve(m_rows.size());
    for (const auto& row : m_rows) {
        if (!m_filter || m_filter->matches(row->values))
            m_view.push_back(row.get());
    }
    sortRows(m_view, m_sortField);
    m_pos = 0;
    invalidateIndexes();
}

std::vector<const QVector<QString>*> Recordset::recordsInSortOrder() const
{
    std::vector<const Row*> rows;
    rows.reserve(m_rows.size());
    for (const auto& row : m_rows)
        rows.push_back(row.get());
    sortRows(rows, m_sortField);
    std::vector<const QVector<QString>*> out;
    out.reserve(rows.size());
    for (const Row* row : rows)
        out.push_back(&row->values);
    return out;
}

void Recordset::invalidateIndexes()
{
    m_indexes.clear();
}

void Recordset::invalidateIndex(int field)
{
    m_indexes.remove(field);
}

const QHash<QString, std::vector<int>>& Recordset::indexFor(int field)
{
    auto it = m_indexes.find(field);
    if (it == m_indexes.end()) {
        QHash<QString, std::vector<int>> index;
        index.reserve(static_cast<int>(m_view.size()));
        for (size_t i = 0; i < m_view.size(); ++i)
            index[m_view[i]->values.at(field).toCaseFolded()].push_back(static_cast<int>(i));
        it = m_indexes.insert(field, std::move(index));
    }
    return it.value();
}

bool Recordset::find(const QString& criteria)
{
    if (criteria != m_lastFindText || !m_lastFind) {
        m_lastFind = FilterExpression::parse(criteria, [this](const QString& n) { return fieldIndex(n); });
        m_lastFindText = criteria;
    }
    const int size = static_cast<int>(m_view.size());
    const int start = std::max(m_pos, 0);
    if (start >= size) {
        m_pos = size;
        return false;
    }
    if (m_lastFind->equalityField() >= 0) {
        const auto& index = indexFor(m_lastFind->equalityField());
        const auto hit = index.constFind(m_lastFind->equalityValue());
        if (hit != index.constEnd()) {
            const std::vector<int>& positions = hit.value();
            const auto p = std::lower_bound(positions.begin(), positions.end(), start);
            if (p != positions.end()) {
                m_pos = *p;
                return true;
            }
        }
        m_pos = size;
        return false;
    }
    for (int i = start; i < size; ++i) {
        if (m_lastFind->matches(m_view[static_cast<size_t>(i)]->values)) {
            m_pos = i;
            return true;
        }
    }
    m_pos = size;
    return false;
}
