#pragma once

#include "storage/DataSource.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <optional>

// The record logic of the shopping list window. Holds the window's own copy of the shopping list (live records,
// in key order), the rows the grid shows, the selected row with its held record, and the add/update mode.
// Row i of rows() is always record i of the table's view.
class ShoppingListModel
{
public:
    // Loads the shopping list of the data folder.
    explicit ShoppingListModel(const QString& dataFolder);

    // One grid row.
    struct Row
    {
        QString aisle, quantity, units, ingredient, note, key;
    };
    // The four boxes of the window.
    struct Entry
    {
        QString aisle, quantity, units, ingredient;
    };
    // The selected item's record as held for an update.
    struct Held
    {
        QString id, status, ingredient, key, note;
    };
    enum class Mode { Add, Update };
    enum class Result { Nothing, Added, Updated, ListFull };

    const QVector<Row>& rows() const { return m_rows; }
    // The selected row, or -1 when the list is empty.
    int selectedRow() const { return m_selected; }
    // Selects a row and holds its record; false (and nothing held) when there is no such row.
    bool select(int row);
    const Held& held() const { return m_held; }
    Mode mode() const { return m_mode; }

    // Starts editing the selected row: returns its values for the boxes, holds its note and enters update
    // mode. Nothing happens on an empty list.
    std::optional<Entry> beginEdit();
    // Leaves update mode without changing anything.
    void cancelEdit() { m_mode = Mode::Add; }

    // Add mode: appends a new item (empty note) unless the list is full, then selects the first row.
    // Update mode: rewrites the item being edited under RecordStatus::updateEntry (its key is the aisle key and
    // the ingredient). Keeps the row selected. Either way the mode returns to add.
    // Nothing happens while the ingredient is empty.
    Result addOrUpdate(const Entry& entry);

    // Deletes the selected item under the status rules; false on an empty list.
    bool deleteSelected();
    // Deletes every item under the status rules; false on an empty list.
    bool clearAll();

    // Writes the whole table (deleted records included, in key order) to its file; reports failures.
    bool save() const;

    Recordset& table() { return m_source->recordset(); }

    // The entries of one of the window's pick lists, loaded from its master table ("aisle", "qty", "units",
    // "ingr"; also "meal" for the planner), live records in the list's order.
    static QStringList pickList(const QString& dataFolder, const QString& kind);

private:
    void refill(int selectRow);
    void readHeld();

    std::unique_ptr<DataSource> m_source;
    QVector<Row> m_rows;
    int m_selected = -1;
    int m_editRow = -1;
    Held m_held;
    Mode m_mode = Mode::Add;
};
