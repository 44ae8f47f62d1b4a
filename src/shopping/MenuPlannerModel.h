#pragma once

#include "shopping/ShoppingListAdder.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

class Recordset;

// The record logic of the menu planner window, working on the menu table held for the whole run. Shows the
// live entries in key order (date, meal, recipe); row i of rows() is always record i of the table's view.
class MenuPlannerModel
{
public:
    // Sets the live filter and the key order on the table and fills the rows; the first row is selected.
    explicit MenuPlannerModel(Recordset& menu);

    // One grid row: date column text, recipe, meal, key.
    struct Row
    {
        QString date, recipe, meal, key;
    };
    // The window's boxes.
    struct Entry
    {
        QDate date;
        QString meal, recipe;
    };
    struct Held
    {
        QString id, status, key;
    };
    enum class Mode { Add, Update };
    enum class Result { Nothing, Added, Updated, ListFull };

    const QVector<Row>& rows() const { return m_rows; }
    int selectedRow() const { return m_selected; }
    bool select(int row);
    const Held& held() const { return m_held; }
    Mode mode() const { return m_mode; }

    // Starts editing the selected entry: its date (invalid when the key holds none), recipe and meal; enters
    // update mode. Nothing happens on an empty planner.
    std::optional<Entry> beginEdit();
    void cancelEdit() { m_mode = Mode::Add; }

    // Add mode: appends an entry (unless the planner is full) and selects the first row. Update mode:
    // rewrites the entry being edited under RecordStatus::updateEntry; keeps the row selected. Returns to add mode.
    // Nothing happens while the recipe is empty or the date invalid.
    Result addOrUpdate(const Entry& entry);

    bool deleteSelected();
    bool clearAll();

    // Adds the ingredients of the recipes that the given rows name to the shopping list, in row order.
    // Entries whose recipe no longer exists are reported one by one and skipped.
    ShoppingListAdder::Tally addRowsToShoppingList(ShoppingListAdder& adder, const Recordset& recipes,
                                                   const QVector<int>& rows) const;

private:
    void refill(int selectRow);

    Recordset& m_menu;
    QVector<Row> m_rows;
    int m_selected = -1;
    int m_editRow = -1;
    Held m_held;
    Mode m_mode = Mode::Add;
};
