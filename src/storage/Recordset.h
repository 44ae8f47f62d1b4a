#pragma once

#include <QHash>
#include <QString>
#include <QVector>

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
// Records live in insertion order. The view is the records that pass the filter, in sort order (ties keep
// insertion order). Record count, moves and the end/beginning tests work on the view. Setting the filter or
// the sort rebuilds the view and moves to its first record. A record added with addNew() is appended to the
// end of the current view whether or not it passes the filter, until the view is rebuilt.
class Recordset
{
public:
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

    // Adds a blank record (all fields empty) at the end of the view and makes it current.
    void addNew();
    // Appends a whole record at the end of the view (when it passes the filter) without moving; used by
    // loaders. Missing values are empty; extra values are dropped.
    void appendRecord(QVector<QString> values);
    // Commits the current record. Values are stored as they are set; this keeps the calling convention of
    // a database recordset and refreshes look-up indexes.
    void update();
    // Removes the current record from the table at once. The record after it becomes current.
    void deleteCurrent();

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
    std::vector<const QVector<QString>*> recordsInSortOrder() const;

private:
    struct Row
    {
        QVector<QString> values;
        // The case-folded value of field sortKeyField, kept between sorts (-1: none yet).
        mutable QString sortKey;
        mutable int sortKeyField = -1;
    };
    Row& currentRow() const;
    void rebuildView();
    void invalidateIndexes();
    void invalidateIndex(int field);
    const QHash<QString, std::vector<int>>& indexFor(int field);

    QVector<QString> m_fieldNames;
    QVector<int> m_maxLengths;
    QHash<QString, int> m_fieldLookup;

    std::vector<std::unique_ptr<Row>> m_rows;
    std::vector<Row*> m_view;
    int m_pos = 0;

    QString m_filterText;
    std::unique_ptr<FilterExpression> m_filter;
    QString m_sortText;
    int m_sortField = -1;

    QString m_lastFindText;
    std::unique_ptr<FilterExpression> m_lastFind;
    // field -> case-folded value -> ascending view positions
    QHash<int, QHash<QString, std::vector<int>>> m_indexes;
};
