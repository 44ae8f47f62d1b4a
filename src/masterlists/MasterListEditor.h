#pragma once

#include "masterlists/MasterListKind.h"
#include "storage/DataSource.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

// The editing rules of one master list, without any window: the entries as listed, the held (selected)
// record, add and update with the record status words the handheld conduit expects, delete, and writing
// the table back. The window and the command-line tool both drive it.
//
// Entries are the live records (not marked deleted) in the kind's order, without the reserved "All"
// record. Each entry is bound to its own record, so two entries that read alike (duplicates, or entries that
// differ only in letter case) are edited and deleted independently.
class MasterListEditor
{
public:
    enum class Outcome {
        Ignored, // empty entry text: nothing changed
        Added, // a new record was appended
        Replaced, // update that changed the entry: old record deleted (or dropped), new record appended
        Updated, // update that kept the entry's key: changed in place
        LimitReached, // add refused: the list already shows limit - 1 entries
    };

    // The record behind the selected entry, as last read from the table.
    struct Held
    {
        QString id;
        QString status;
        QString key;
        QString value;
        QString aisle;
    };

    // Takes the kind's loaded table and lists it.
    MasterListEditor(const MasterListKind& kind, std::unique_ptr<DataSource> source);
    ~MasterListEditor();
    MasterListEditor(const MasterListEditor&) = delete;
    MasterListEditor& operator=(const MasterListEditor&) = delete;

    // Loads the kind's table from the data folder (a load failure ends the program as every loader does).
    static std::unique_ptr<MasterListEditor> open(const MasterListKind& kind, const QString& dataFolder);

    const MasterListKind& kind() const { return m_kind; }
    DataSource& source() { return *m_source; }

    // Listed entries: the value, for ingredients with an aisle followed by " (aisle:N)".
    int count() const { return m_entries.size(); }
    QString entryText(int row) const { return m_entries.at(row).text; }
    QStringList entryTexts() const;
    // Rebuilds the entries from the table; nothing is selected and update mode ends.
    void refill();

    // Makes the entry's record the held record; false (and nothing selected) for a row out of range.
    bool select(int row);
    int selectedRow() const { return m_selected; }
    // The held record; empty when nothing is selected.
    Held held() const { return m_held; }

    // Update mode: the next addOrUpdate() changes the record selected now instead of adding one. False when
    // nothing is selected.
    bool beginEdit();
    bool isUpdating() const { return m_editPos >= 0; }
    void cancelEdit() { m_editPos = -1; }

    // True when an add would be refused (the list shows limit - 1 entries or more).
    bool atLimit() const { return count() >= m_kind.limit - 1; }

    // Add (or, in update mode, update) with the entry text and, for ingredients, the aisle; both are cut to
    // their longest length. Afterwards the list is as rebuilt and its first entry selected (except when the
    // text is empty or the limit is reached: then nothing changes). An add places its one new entry without
    // rebuilding the list, so adding n entries takes time in proportion to n, not n squared.
    Outcome addOrUpdate(const QString& text, const QString& aisle = QString());
    // The row at which the last addOrUpdate inserted an entry while leaving the other entries as they were,
    // or -1 when it rebuilt the list or changed nothing shown (then a window shows the whole list again).
    int insertedRow() const { return m_insertedRow; }

    // Deletes the selected entry's record under RecordStatus::markDeleted. The entry leaves the list; nothing
    // is selected afterwards.
    // Deleting the entry being updated ends update mode. False when nothing is selected.
    bool removeSelected();

    // Writes every record of the table (deleted ones included) in the kind's order; reports a failure
    // through ShowError and returns false, leaving the old file in place.
    bool save() const;

private:
    struct Entry
    {
        QString text;
        int viewPos;
    };
    void readHeld();
    // The entry text of the current record; false for the reserved "All" record, which is not listed.
    bool entryTextOfCurrent(QString& text) const;
    // Lists the record just added (current, at the end of the view) where a refill would list it.
    void placeAdded();
    void writeCurrent(const QString& value, const QString& aisle);

    const MasterListKind& m_kind;
    std::unique_ptr<DataSource> m_source;
    Recordset& m_rs;
    QVector<Entry> m_entries;
    int m_selected = -1;
    int m_editPos = -1; // view position of the record being updated, or -1 in add mode
    int m_insertedRow = -1;
    Held m_held;
};
