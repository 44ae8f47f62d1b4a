#include "shopping/ShoppingListModel.h"

#include "shopping/ShoppingList.h"
#include "storage/RecordStatus.h"

#include <algorithm>

using namespace ShoppingList;

ShoppingListModel::ShoppingListModel(const QString& dataFolder)
    : m_source(DataSource::open(TableDef::ShoppingList, dataFolder))
{
    table().setSort(QStringLiteral("ShopKey ASC"));
    refill(0);
}

void ShoppingListModel::refill(int selectRow)
{
    Recordset& rs = table();
    rs.setFilter(RecordStatus::LiveFilter);
    m_rows.clear();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        m_rows.append({ rs.value(QStringLiteral("ShopAisle")), rs.value(QStringLiteral("ShopQty")),
                        rs.value(QStringLiteral("ShopUnits")), rs.value(QStringLiteral("ShopIngr")),
                        rs.value(QStringLiteral("ShopNote")), rs.value(QStringLiteral("ShopKey")) });
    }
    m_selected = -1;
    m_held = Held {};
    if (!m_rows.isEmpty())
        select(std::clamp(selectRow, 0, static_cast<int>(m_rows.size()) - 1));
}

bool ShoppingListModel::select(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    m_selected = row;
    table().setPosition(row);
    readHeld();
    return true;
}

void ShoppingListModel::readHeld()
{
    const Recordset& rs = table();
    const QString note = m_held.note;
    m_held = { rs.value(QStringLiteral("REC_ID")), rs.value(QStringLiteral("STATUS")),
               rs.value(QStringLiteral("ShopIngr")), rs.value(QStringLiteral("ShopKey")), note };
}

std::optional<ShoppingListModel::Entry> ShoppingListModel::beginEdit()
{
    if (m_selected < 0)
        return std::nullopt;
    const Row& row = m_rows.at(m_selected);
    m_held.note = row.note;
    m_editRow = m_selected;
    m_mode = Mode::Update;
    return Entry { row.aisle, row.quantity, row.units, row.ingredient };
}

ShoppingListModel::Result ShoppingListModel::addOrUpdate(const Entry& entry)
{
    if (entry.ingredient.isEmpty())
        return Result::Nothing;
    Recordset& rs = table();
    const QString key = ShopKey(aisleKeyForWindow(entry.aisle), entry.ingredient);
    const bool updating = m_mode == Mode::Update && m_editRow >= 0 && m_editRow < m_rows.size();
    int selectAfter = 0;
    if (updating) {
        selectAfter = m_editRow;
        rs.setPosition(m_editRow);
        RecordStatus::updateEntry(rs, rs.value(QStringLiteral("ShopKey")) != key);
    } else {
        if (m_rows.size() >= kLimit)
            return Result::ListFull;
        RecordStatus::addNew(rs);
    }
    rs.setValue(QStringLiteral("ShopIngr"), entry.ingredient);
    rs.setValue(QStringLiteral("ShopKey"), key);
    rs.setValue(QStringLiteral("ShopQty"), entry.quantity);
    rs.setValue(QStringLiteral("ShopUnits"), entry.units);
    rs.setValue(QStringLiteral("ShopAisle"), entry.aisle);
    rs.setValue(QStringLiteral("ShopNote"), updating ? m_held.note : QString());
    rs.update();

    m_mode = Mode::Add;
    m_editRow = -1;
    refill(selectAfter);
    return updating ? Result::Updated : Result::Added;
}

bool ShoppingListModel::deleteSelected()
{
    if (m_selected < 0)
        return false;
    const int row = m_selected;
    table().setPosition(row);
    RecordStatus::markDeleted(table());
    // The row being edited may have moved or gone.
    m_mode = Mode::Add;
    m_editRow = -1;
    refill(row);
    return true;
}

bool ShoppingListModel::clearAll()
{
    if (m_rows.isEmpty())
        return false;
    RecordStatus::markAllDeleted(table());
    m_mode = Mode::Add;
    m_editRow = -1;
    refill(0);
    return true;
}

bool ShoppingListModel::save() const
{
    return m_source->save();
}

QStringList ShoppingListModel::pickList(const QString& dataFolder, const QString& kind)
{
    struct Kind
    {
        const char* name;
        TableDef::Id id;
        const char* field;
        const char* order;
    };
    static const Kind kinds[] = {
        { "aisle", TableDef::Aisles, "AisleMaster", "AisleMaster ASC" },
        { "qty", TableDef::Quantities, "QtyMaster", "QtyKey ASC" },
        { "units", TableDef::Units, "UnitsMaster", "UnitsKey ASC" },
        { "ingr", TableDef::Ingredients, "IngrMaster", "IngrKey ASC" },
        { "meal", TableDef::Meals, "MealMaster", "MealMaster ASC" },
    };
    QStringList out;
    for (const Kind& k : kinds) {
        if (kind != QLatin1String(k.name))
            continue;
        auto source = DataSource::open(k.id, dataFolder);
        Recordset& rs = source->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(QLatin1String(k.order));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << rs.value(QLatin1String(k.field));
    }
    return out;
}
