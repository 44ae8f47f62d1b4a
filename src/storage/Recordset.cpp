#include "storage/Recordset.h"

#include "storage/Cp1252.h"
#include "storage/FilterExpression.h"

#include <algorithm>

RecordsetError::RecordsetError(const QString& message)
    : std::logic_error(message.toStdString())
{
}

// ---- Record ----------------------------------------------------------------------------------------------

QByteArrayView Recordset::Record::rawValue(int field) const
{
    const FieldSpan& span = m_table->m_spans[m_firstSpan + static_cast<quint32>(field)];
    return QByteArrayView(m_text + span.offset, span.length);
}

QString Recordset::Record::at(int field) const
{
    if (m_values)
        return m_values->at(field);
    if (field < 0 || field >= m_table->fieldCount())
        throw RecordsetError(QStringLiteral("Field index %1 out of range").arg(field));
    return FieldCodec::decode(rawValue(field), m_table->m_encodings.at(field));
}

int Recordset::Record::size() const
{
    return m_table->fieldCount();
}

bool Recordset::Record::originalText(QByteArrayView& text) const
{
    if (m_values || !m_roundTrips)
        return false;
    text = QByteArrayView(m_text, m_length);
    return true;
}

// The values of one record for a filter: the text of a set record, the unescaped bytes of a read one.
class Recordset::RowValues : public FilterExpression::FieldValues
{
public:
    explicit RowValues(const Recordset& table)
        : m_table(table)
    {
    }
    void bind(const Row* row) { m_row = row; }
    FilterExpression::FieldValue field(int index) const override
    {
        if (m_row->m_values)
            return { &m_row->m_values->at(index), {} };
        return { nullptr, FieldCodec::unescape(m_row->rawValue(index), m_table.m_encodings.at(index), m_scratch) };
    }

private:
    const Recordset& m_table;
    const Row* m_row = nullptr;
    mutable QByteArray m_scratch;
};

// ---- Recordset -------------------------------------------------------------------------------------------

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
    m_encodings.append(FieldEncoding::bareField());
}

void Recordset::setFieldEncoding(int field, FieldEncoding encoding)
{
    if (!m_rows.empty())
        throw RecordsetError(QStringLiteral("Field encoding set after records were added"));
    m_encodings[field] = encoding;
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
    row->m_table = this;
    row->m_seq = m_nextSeq++;
    row->m_values = std::make_unique<QVector<QString>>(m_fieldNames.size());
    markUnsorted(row.get());
    m_view.push_back(row.get());
    m_rows.push_back(std::move(row));
    m_pos = static_cast<int>(m_view.size()) - 1;
    invalidateIndexes();
}

void Recordset::appendRow(std::unique_ptr<Row> row)
{
    Row* raw = row.get();
    raw->m_seq = m_nextSeq++;
    markUnsorted(raw);
    m_rows.push_back(std::move(row));
    bool passes = true;
    if (m_filter) {
        RowValues values(*this);
        values.bind(raw);
        passes = m_filter->matches(values);
    }
    if (passes) {
        // Keep the view's order: with a sort, the next rebuild places the record; until then it is last.
        m_view.push_back(raw);
        invalidateIndexes();
    }
}

void Recordset::appendRecord(QVector<QString> values)
{
    auto row = std::make_unique<Row>();
    row->m_table = this;
    values.resize(m_fieldNames.size());
    row->m_values = std::make_unique<QVector<QString>>(std::move(values));
    appendRow(std::move(row));
}

const char* Recordset::keepBytes(QByteArray bytes)
{
    m_bytes.push_back(std::move(bytes));
    return m_bytes.back().constData();
}

void Recordset::appendRead(const char* text, qsizetype length, const FieldSpan* spans, bool roundTrips)
{
    auto row = std::make_unique<Row>();
    row->m_table = this;
    row->m_text = text;
    row->m_length = static_cast<quint32>(length);
    row->m_firstSpan = static_cast<quint32>(m_spans.size());
    row->m_roundTrips = roundTrips;
    m_spans.insert(m_spans.end(), spans, spans + m_fieldNames.size());
    appendRow(std::move(row));
}

void Recordset::update()
{
    // Values are stored as they are set; nothing is pending.
}

void Recordset::deleteCurrent()
{
    Row* row = &currentRow();
    m_view.erase(m_view.begin() + m_pos);
    if (row->m_inSorted)
        m_sorted.erase(std::find(m_sorted.begin(), m_sorted.end(), row));
    if (row->m_unsorted)
        m_unsorted.erase(std::find(m_unsorted.begin(), m_unsorted.end(), row));
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
    return currentRow().at(field);
}

void Recordset::setValue(const QString& field, const QString& value)
{
    setValue(requireField(field), value);
}

void Recordset::setValue(int field, const QString& value)
{
    Row& row = currentRow();
    if (field < 0 || field >= fieldCount())
        throw RecordsetError(QStringLiteral("Field index %1 out of range").arg(field));
    if (!row.m_values) {
        // From now on the record holds its values as text; its read text is no longer written.
        auto values = std::make_unique<QVector<QString>>(fieldCount());
        for (int i = 0; i < fieldCount(); ++i)
            (*values)[i] = row.at(i);
        row.m_values = std::move(values);
    }
    (*row.m_values)[field] = value;
    if (row.m_sortKeyField == field)
        row.m_sortKeyField = -1;
    if (field == m_sortedField)
        markUnsorted(&row);
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

// A sort value: Windows-1252 bytes folded one by one, or folded text.
struct Recordset::SortKey
{
    const char* bytes;
    const QChar* text;
    qsizetype size;
};

// Orders sort values as the folded texts' code units compare, whichever form each has.
bool Recordset::sortsBefore(const SortKey& a, const SortKey& b, const char16_t* fold)
{
    const qsizetype n = std::min(a.size, b.size);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ua = a.bytes ? fold[static_cast<unsigned char>(a.bytes[i])] : a.text[i].unicode();
        const char16_t ub = b.bytes ? fold[static_cast<unsigned char>(b.bytes[i])] : b.text[i].unicode();
        if (ua != ub)
            return ua < ub;
    }
    return a.size < b.size;
}

// Works out the row's sort value of field unless it is kept already: the raw bytes when they need no
// unescaping, else the folded text.
void Recordset::ensureSortKey(Row* row, int field, QByteArray& scratch) const
{
    if (row->m_sortKeyField == field)
        return;
    row->m_sortKeyField = field;
    if (!row->m_values) {
        const QByteArrayView raw = row->rawValue(field);
        if (FieldCodec::unescape(raw, m_encodings.at(field), scratch).data() == raw.data()) {
            row->m_sortKeyRaw = true;
            row->m_sortKey.clear();
            return;
        }
    }
    row->m_sortKeyRaw = false;
    row->m_sortKey = row->at(field).toCaseFolded();
}

// The kept sort value of a row (ensureSortKey first).
Recordset::SortKey Recordset::sortKeyOf(const Row* row, int field)
{
    if (row->m_sortKeyRaw) {
        const QByteArrayView raw = row->rawValue(field);
        return SortKey { raw.data(), nullptr, raw.size() };
    }
    return SortKey { nullptr, row->m_sortKey.constData(), row->m_sortKey.size() };
}

// Sorts rows by the case-folded value of field, ties in order of creation. Sort values are kept on the
// rows, so sorting again by the same field works out only the values changed since.
void Recordset::sortRows(std::vector<Row*>& rows, int field) const
{
    if (field < 0)
        return;
    QByteArray scratch;
    for (Row* row : rows)
        ensureSortKey(row, field, scratch);
    const char16_t* fold = Cp1252::foldTable();
    std::sort(rows.begin(), rows.end(), [&](const Row* a, const Row* b) {
        const SortKey ka = sortKeyOf(a, field);
        const SortKey kb = sortKeyOf(b, field);
        if (sortsBefore(ka, kb, fold))
            return true;
        return !sortsBefore(kb, ka, fold) && a->m_seq < b->m_seq;
    });
}

int Recordset::placeCurrent()
{
    Row* row = &currentRow();
    m_view.erase(m_view.begin() + m_pos);
    invalidateIndexes();
    if (m_filter) {
        RowValues values(*this);
        values.bind(row);
        if (!m_filter->matches(values)) {
            m_pos = static_cast<int>(m_view.size());
            return -1;
        }
    }
    auto at = m_view.end();
    if (m_sortField >= 0) {
        const int field = m_sortField;
        QByteArray scratch;
        ensureSortKey(row, field, scratch);
        const char16_t* fold = Cp1252::foldTable();
        const SortKey mine = sortKeyOf(row, field);
        at = std::upper_bound(m_view.begin(), m_view.end(), row, [&](const Row*, Row* other) {
            ensureSortKey(other, field, scratch);
            return sortsBefore(mine, sortKeyOf(other, field), fold);
        });
    }
    m_pos = static_cast<int>(at - m_view.begin());
    m_view.insert(at, row);
    return m_pos;
}

void Recordset::markUnsorted(Row* row)
{
    if (m_sortedField >= 0 && !row->m_unsorted) {
        row->m_unsorted = true;
        m_unsorted.push_back(row);
    }
}

const std::vector<Recordset::Row*>& Recordset::sortedRows() const
{
    const int field = m_sortField;
    // Placing a few changed records one by one is cheaper than sorting again; many, and a sort is cheaper.
    if (field != m_sortedField || m_unsorted.size() > 64) {
        for (Row* row : m_unsorted)
            row->m_unsorted = false;
        m_unsorted.clear();
        m_sorted.clear();
        m_sorted.reserve(m_rows.size());
        for (const auto& row : m_rows) {
            row->m_inSorted = true;
            m_sorted.push_back(row.get());
        }
        sortRows(m_sorted, field);
        m_sortedField = field;
        return m_sorted;
    }
    if (m_unsorted.empty())
        return m_sorted;
    QByteArray scratch;
    const char16_t* fold = Cp1252::foldTable();
    for (Row* row : m_unsorted) {
        row->m_unsorted = false;
        if (row->m_inSorted)
            m_sorted.erase(std::find(m_sorted.begin(), m_sorted.end(), row));
        ensureSortKey(row, field, scratch);
        const SortKey mine = sortKeyOf(row, field);
        const auto at = std::upper_bound(m_sorted.begin(), m_sorted.end(), row, [&](const Row* r, Row* other) {
            ensureSortKey(other, field, scratch);
            const SortKey theirs = sortKeyOf(other, field);
            if (sortsBefore(mine, theirs, fold))
                return true;
            return !sortsBefore(theirs, mine, fold) && r->m_seq < other->m_seq;
        });
        m_sorted.insert(at, row);
        row->m_inSorted = true;
    }
    m_unsorted.clear();
    return m_sorted;
}

void Recordset::rebuildView()
{
    m_view.clear();
    m_view.reserve(m_rows.size());
    RowValues values(*this);
    auto take = [&](Row* row) {
        if (m_filter) {
            values.bind(row);
            if (!m_filter->matches(values))
                return;
        }
        m_view.push_back(row);
    };
    if (m_sortField >= 0) {
        // Filtering the kept sort order gives the view in order without sorting it.
        for (Row* row : sortedRows())
            take(row);
    } else {
        for (const auto& row : m_rows)
            take(row.get());
    }
    m_pos = 0;
    invalidateIndexes();
}

std::vector<const Recordset::Record*> Recordset::recordsInSortOrder() const
{
    if (m_sortField >= 0) {
        const std::vector<Row*>& sorted = sortedRows();
        return std::vector<const Record*>(sorted.begin(), sorted.end());
    }
    std::vector<const Record*> rows;
    rows.reserve(m_rows.size());
    for (const auto& row : m_rows)
        rows.push_back(row.get());
    return rows;
}

void Recordset::invalidateIndexes()
{
    m_indexes.clear();
    m_walkedFinds = 0;
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
            index[m_view[i]->at(field).toCaseFolded()].push_back(static_cast<int>(i));
        it = m_indexes.insert(field, std::move(index));
    }
    return it.value();
}

namespace {
// Equality finds walked before an index is built.
constexpr int kWalkedFinds = 2;
} // namespace

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
    if (m_lastFind->equalityField() >= 0
        && (m_indexes.contains(m_lastFind->equalityField()) || ++m_walkedFinds > kWalkedFinds)) {
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
    RowValues values(*this);
    for (int i = start; i < size; ++i) {
        values.bind(m_view[static_cast<size_t>(i)]);
        if (m_lastFind->matches(values)) {
            m_pos = i;
            return true;
        }
    }
    m_pos = size;
    return false;
}
