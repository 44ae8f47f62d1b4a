#pragma once

#include "storage/FieldCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVector>

#include <deque>

#include <memory>
#include <stdexcept>
#include <vector>

class FilterExpression;

// Thrown for programming errors against a recordset: an unknown field name, a malformed filter, sort or
// find expression, or a field access with no current record.
class RecordsetError : public std::logic_error
{
public:
    explicit RecordsetError(const QString& message);
};

// The in-memory table: records of named text fields with a current position, a filter and a one-field sort.
//
// A table read from a file keeps the file's bytes, and each record as the places of its values in them: a
// value is decoded only when it is asked for, filters and sorts compare the bytes themselves, and a writer
// copies a record that was not changed as it was read. A record that is set (or added) holds its values
// as text from then on.
//
// Records live in insertion order. The view is the records that pass the filter, in sort order (ties keep
// insertion order). Record count, moves and the end/beginning tests work on the view. Setting the filter or
// the sort rebuilds the view and moves to its first record. A record added with addNew() is appended to the
// end of the current view whether or not it passes the filter, until the view is rebuilt.
class Recordset
{
public:
    // Where one value lies in its record's text.
    struct FieldSpan
    {
        quint32 offset = 0;
        quint32 length = 0;
    };

    // One record, as whole-table walks and writers see it. Stays valid while the record is in the table.
    class Record
    {
    public:
        // The value of a field (by index), decoded when read from a file.
        QString at(int field) const;
        int size() const;
        // The record's text as read, when the record is unchanged since and writing its values gives that
        // text back byte for byte; false otherwise.
        bool originalText(QByteArrayView& text) const;

    private:
        friend class Recordset;
        QByteArrayView rawValue(int field) const;

        const Recordset* m_table = nullptr;
        const char* m_text = nullptr; // read records: the record's text, kept by the table
        quint32 m_length = 0;
        quint32 m_firstSpan = 0; // index of its first value's span in the table
        bool m_roundTrips = false;
        std::unique_ptr<QVector<QString>> m_values; // added or set records: every value
        // The case-folded sort value of field m_sortKeyField (-1: none yet): the raw bytes themselves when
        // they need no unescaping (m_sortKeyRaw), else the folded text.
        mutable QString m_sortKey;
        mutable int m_sortKeyField = -1;
        mutable bool m_sortKeyRaw = false;
        // Order of creation, which breaks ties between equal sort values.
        quint64 m_seq = 0;
        // Whether the record is in the kept sort order, and whether it must be placed in it again.
        mutable bool m_inSorted = false;
        mutable bool m_unsorted = false;
    };

    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Field definitions. Names are looked up without regard to letter case.
    void appendField(const QString& name, int maxLength, bool fixedLength = false);
    int fieldCount() const { return m_fieldNames.size(); }
    QString fieldName(int index) const { return m_fieldNames.at(index); }
    int fieldMaxLength(int index) const { return m_maxLengths.at(index); }
    // Index of the field, or -1.
    int fieldIndex(const QString& name) const;
    // Index of the field; throws RecordsetError when there is none.
    int requireField(const QString& name) const;
    // How the raw bytes of the field's values are unescaped (records read from a file); bare by default.
    void setFieldEncoding(int field, FieldEncoding encoding);

    // Adds a blank record (all fields empty) at the end of the view and makes it current.
    void addNew();
    // Appends a whole record at the end of the view (when it passes the filter) without moving; used by
    // loaders. Missing values are empty; extra values are dropped.
    void appendRecord(QVector<QString> values);
    // Keeps bytes for the lifetime of the table and returns where they are; appendRead records point into them.
    const char* keepBytes(QByteArray bytes);
    // Appends a record read from a file, like appendRecord: text (length bytes, kept with keepBytes) is the
    // record's text and spans the places of its fieldCount() values in it; roundTrips tells whether writing the
    // values gives text back byte for byte.
    void appendRead(const char* text, qsizetype length, const FieldSpan* spans, bool roundTrips);
    // Commits the current record. Values are stored as they are set; this keeps the calling convention of
    // a database recordset and refreshes look-up indexes.
    void update();
    // Removes the current record from the table at once. The record after it becomes current.
    void deleteCurrent();
    // Moves the current record within the view to where rebuilding the view (same filter and sort) would put
    // it, without rebuilding: after the records that sort before it or with it when it is the newest of them
    // (as an added record is), or out of the view when it does not pass the filter. The view must be in sort
    // order apart from the current record. Returns its new position, which stays current, or -1 (the
    // position is then past the end).
    int placeCurrent();

    // Field access on the current record. Throws RecordsetError at end or beginning of the view.
    QString value(const QString& field) const;
    QString value(int field) const;
    void setValue(const QString& field, const QString& value);
    void setValue(int field, const QString& value);

    // Moves over the view.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void move(int count);
    bool eof() const;
    bool bof() const;
    // Number of records in the view.
    int recordCount() const { return static_cast<int>(m_view.size()); }
    // Number of records in the table, regardless of the filter.
    int totalRecordCount() const { return static_cast<int>(m_rows.size()); }
    // 0-based position in the view, or -1 at beginning, recordCount() at end.
    int position() const { return m_pos; }
    void setPosition(int position);

    // Filter expression; empty removes the filter. Throws RecordsetError for a malformed expression and
    // then leaves the previous filter in force.
    void setFilter(const QString& expression);
    QString filter() const { return m_filterText; }
    // Sort: "Field ASC" (one field, ascending, case-insensitive) or empty for insertion order.
    void setSort(const QString& sort);
    QString sort() const { return m_sortText; }

    // Searches forward from the current record, the current one included, for the first record of the view
    // that matches the criteria (one comparison, as in a filter). Returns true when found; otherwise the
    // position is past the end.
    bool find(const QString& criteria);

    // Every record of the table, regardless of the filter, in the sort order (ties in insertion order).
    // Leaves the view and the position alone; used by writers.
    std::vector<const Record*> recordsInSortOrder() const;

private:
    using Row = Record;
    class RowValues;
    Row& currentRow() const;
    void appendRow(std::unique_ptr<Row> row);
    void sortRows(std::vector<Row*>& rows, int field) const;
    void ensureSortKey(Row* row, int field, QByteArray& scratch) const;
    struct SortKey;
    static SortKey sortKeyOf(const Row* row, int field);
    static bool sortsBefore(const SortKey& a, const SortKey& b, const char16_t* fold);
    void rebuildView();
    void invalidateIndexes();
    // The kept order of every record by the sort field (ties in order of creation), brought up to date.
    const std::vector<Row*>& sortedRows() const;
    void markUnsorted(Row* row);
    void invalidateIndex(int field);
    const QHash<QString, std::vector<int>>& indexFor(int field);

    QVector<QString> m_fieldNames;
    QVector<int> m_maxLengths;
    QHash<QString, int> m_fieldLookup;
    QVector<FieldEncoding> m_encodings;
    std::deque<QByteArray> m_bytes;
    std::vector<FieldSpan> m_spans;

    std::vector<std::unique_ptr<Row>> m_rows;
    std::vector<Row*> m_view;
    int m_pos = 0;

    QString m_filterText;
    std::unique_ptr<FilterExpression> m_filter;
    QString m_sortText;
    int m_sortField = -1;
    quint64 m_nextSeq = 0;
    // Every record in the order of field m_sortedField, kept between view rebuilds; records added or whose
    // sort value changed since wait in m_unsorted to be placed.
    mutable std::vector<Row*> m_sorted;
    mutable int m_sortedField = -1;
    mutable std::vector<Row*> m_unsorted;

    QString m_lastFindText;
    std::unique_ptr<FilterExpression> m_lastFind;
    // field -> case-folded value -> ascending view positions
    QHash<int, QHash<QString, std::vector<int>>> m_indexes;
    // Finds answered by walking the view since the indexes were last dropped: the first few after a view
    // rebuild walk it (cheaper than building an index), later ones build the index.
    int m_walkedFinds = 0;
};
