#include "shopping/MenuPlannerModel.h"

#include "shopping/MenuPlanner.h"
#include "shopping/ShoppingList.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

#include <algorithm>

MenuPlannerModel::MenuPlannerModel(Recordset& menu)
    : m_menu(menu)
{
    m_menu.setSort(QStringLiteral("MenuKey ASC"));
    refill(0);
}

void MenuPlannerModel::refill(int selectRow)
{
    m_menu.setFilter(RecordStatus::LiveFilter);
    m_rows.clear();
    for (m_menu.moveFirst(); !m_menu.eof(); m_menu.moveNext()) {
        const QString key = m_menu.value(QStringLiteral("MenuKey"));
        m_rows.append({ MenuPlanner::dateColumnText(key), m_menu.value(QStringLiteral("MenuRecipe")),
                        m_menu.value(QStringLiteral("MenuMeal")), key });
    }
    m_selected = -1;
    m_held = Held {};
    if (!m_rows.isEmpty())
        select(std::clamp(selectRow, 0, static_cast<int>(m_rows.size()) - 1));
}

bool MenuPlannerModel::select(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    m_selected = row;
    m_menu.setPosition(row);
    m_held = { m_menu.value(QStringLiteral("REC_ID")), m_menu.value(QStringLiteral("STATUS")),
               m_menu.value(QStringLiteral("MenuKey")) };
    return true;
}

std::optional<MenuPlannerModel::Entry> MenuPlannerModel::beginEdit()
{
    if (m_selected < 0)
        return std::nullopt;
    const Row& row = m_rows.at(m_selected);
    m_editRow = m_selected;
    m_mode = Mode::Update;
    return Entry { MenuPlanner::dateOfKey(m_held.key), row.meal, row.recipe };
}

MenuPlannerModel::Result MenuPlannerModel::addOrUpdate(const Entry& entry)
{
    if (entry.recipe.isEmpty() || !entry.date.isValid())
        return Result::Nothing;
    const QString key = MenuPlanner::plannerKey(entry.date, entry.meal, entry.recipe);
    const bool updating = m_mode == Mode::Update && m_editRow >= 0 && m_editRow < m_rows.size();
    int selectAfter = 0;
    if (updating) {
        selectAfter = m_editRow;
        m_menu.setPosition(m_editRow);
        RecordStatus::updateEntry(m_menu, m_menu.value(QStringLiteral("MenuKey")) != key);
    } else {
        if (m_rows.size() >= MenuPlanner::kLimit)
            return Result::ListFull;
        RecordStatus::addNew(m_menu);
    }
    m_menu.setValue(QStringLiteral("MenuRecipe"), entry.recipe);
    m_menu.setValue(QStringLiteral("MenuKey"), key);
    m_menu.setValue(QStringLiteral("MenuMeal"), entry.meal);
    m_menu.update();

    m_mode = Mode::Add;
    m_editRow = -1;
    refill(selectAfter);
    return updating ? Result::Updated : Result::Added;
}

bool MenuPlannerModel::deleteSelected()
{
    if (m_selected < 0)
        return false;
    const int row = m_selected;
    m_menu.setPosition(row);
    RecordStatus::markDeleted(m_menu);
    m_mode = Mode::Add;
    m_editRow = -1;
    refill(row);
    return true;
}

bool MenuPlannerModel::clearAll()
{
    if (m_rows.isEmpty())
        return false;
    RecordStatus::markAllDeleted(m_menu);
    m_mode = Mode::Add;
    m_editRow = -1;
    refill(0);
    return true;
}

ShoppingListAdder::Tally MenuPlannerModel::addRowsToShoppingList(ShoppingListAdder& adder, const Recordset& recipes,
                                                                 const QVector<int>& rows) const
{
    ShoppingListAdder::Tally tally;
    for (int row : rows) {
        if (row < 0 || row >= m_rows.size())
            continue;
        QString key = m_rows.at(row).key;
        adder.add_menu_to_shop(key, m_rows.at(row).recipe, recipes, &tally);
    }
    return tally;
}
