#include "masterlists/MasterListEditor.h"

#include "storage/RecordStatus.h"

#include <algorithm>

MasterListEditor::MasterListEditor(const MasterListKind& kind, std::unique_ptr<DataSource> source)
    : m_kind(kind)
    , m_source(std::move(source))
    , m_rs(m_source->recordset())
{
    refill();
}

MasterListEditor::~MasterListEditor() = default;

std::unique_ptr<MasterListEditor> MasterListEditor::open(const MasterListKind& kind, const QString& dataFolder)
{
    return std::make_unique<MasterListEditor>(kind, DataSource::open(kind.table, dataFolder));
}

QStringList MasterListEditor::entryTexts() const
{
    QStringList texts;
    texts.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        texts << e.text;
    return texts;
}

void MasterListEditor::refill()
{
    // Re-applying the filter and sort also drops records marked deleted since the last rebuild.
    m_rs.setFilter(RecordStatus::LiveFilter);
    m_rs.setSort(m_kind.order);
    m_entries.clear();
    m_selected = -1;
    m_editPos = -1;
    m_held = Held();
    m_insertedRow = -1;
    for (int pos = 0; pos < m_rs.recordCount(); ++pos) {
        m_rs.setPosition(pos);
        QString text;
        if (entryTextOfCurrent(text))
            m_entries.append({ text, pos });
    }
    m_rs.moveFirst();
}

bool MasterListEditor::select(int row)
{
    if (row < 0 || row >= m_entries.size()) {
        m_selected = -1;
        m_held = Held();
        return false;
    }
    m_selected = row;
    m_rs.setPosition(m_entries.at(row).viewPos);
    readHeld();
    return true;
}

void MasterListEditor::readHeld()
{
    m_held.id = m_rs.value(QStringLiteral("REC_ID"));
    m_held.status = m_rs.value(QStringLiteral("STATUS"));
    m_held.key = m_kind.hasKey() ? m_rs.value(m_kind.keyField) : QString();
    m_held.value = m_rs.value(m_kind.valueField);
    m_held.aisle = m_kind.hasAisle() ? m_rs.value(QStringLiteral("IngrAisle")) : QString();
}

bool MasterListEditor::beginEdit()
{
    if (m_selected < 0)
        return false;
    m_editPos = m_entries.at(m_selected).viewPos;
    return true;
}

void MasterListEditor::writeCurrent(const QString& value, const QString& aisle)
{
    m_rs.setValue(m_kind.valueField, value);
    if (m_kind.hasKey())
        m_rs.setValue(m_kind.keyField, MasterListKey(m_kind, value));
    if (m_kind.hasAisle())
        m_rs.setValue(QStringLiteral("IngrAisle"), aisle);
    m_rs.update();
}

MasterListEditor::Outcome MasterListEditor::addOrUpdate(const QString& text, const QString& aisleText)
{
    m_insertedRow = -1;
    if (text.isEmpty())
        return Outcome::Ignored;
    const QString aisle = aisleText.left(kMaxAisleLength);
    Outcome outcome;
    if (isUpdating()) {
        QString value = text;
        if (m_kind.stripsTildeOnUpdate())
            value.remove(QLatin1Char('~'));
        value.truncate(m_kind.maxLength);
        m_rs.setPosition(m_editPos);
        m_editPos = -1;
        const bool changed = m_kind.hasKey() ? MasterListKey(m_kind, value) != m_rs.value(m_kind.keyField)
                                             : value != m_rs.value(m_kind.valueField);
        // The handheld knows the entry by its record: a different entry is a deletion plus a new record.
        RecordStatus::updateEntry(m_rs, changed);
        writeCurrent(value, aisle);
        outcome = changed ? Outcome::Replaced : Outcome::Updated;
    } else {
        if (atLimit())
            return Outcome::LimitReached;
        RecordStatus::addNew(m_rs);
        writeCurrent(text.left(m_kind.maxLength), aisle);
        placeAdded();
        select(0);
        return Outcome::Added;
    }
    refill();
    select(0);
    return outcome;
}

bool MasterListEditor::entryTextOfCurrent(QString& text) const
{
    text = m_rs.value(m_kind.valueField);
    if (text == kReservedAllEntry)
        return false;
    if (m_kind.hasAisle()) {
        const QString aisle = m_rs.value(QStringLiteral("IngrAisle"));
        if (!aisle.isEmpty())
            text += QStringLiteral(" (aisle:") + aisle + QLatin1Char(')');
    }
    return true;
}

void MasterListEditor::placeAdded()
{
    // The view is in the list's order (records deleted since the last refill may still be in it, without
    // entries), so the new record goes where a refill would put it and the entries after it move down one.
    if (m_rs.filter() != RecordStatus::LiveFilter || m_rs.sort() != m_kind.order) {
        refill(); // someone changed the view
        return;
    }
    m_selected = -1;
    m_held = Held();
    const int pos = m_rs.placeCurrent();
    if (pos < 0)
        return;
    QString text;
    const bool listed = entryTextOfCurrent(text);
    auto at = std::lower_bound(m_entries.begin(), m_entries.end(), pos,
                               [](const Entry& e, int p) { return e.viewPos < p; });
    for (auto it = at; it != m_entries.end(); ++it)
        ++it->viewPos;
    if (!listed)
        return;
    m_insertedRow = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, Entry { text, pos });
}

bool MasterListEditor::removeSelected()
{
    if (m_selected < 0)
        return false;
    const int pos = m_entries.at(m_selected).viewPos;
    m_rs.setPosition(pos);
    if (m_editPos == pos)
        m_editPos = -1;
    if (RecordStatus::markDeleted(m_rs)) {
        // The view closed up behind the dropped record.
        for (Entry& e : m_entries) {
            if (e.viewPos > pos)
                --e.viewPos;
        }
        if (m_editPos > pos)
            --m_editPos;
    }
    m_entries.remove(m_selected);
    m_selected = -1;
    m_held = Held();
    return true;
}

bool MasterListEditor::save() const
{
    return m_source->save();
}
