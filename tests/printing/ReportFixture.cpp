#include "ReportFixture.h"

#include <QRegularExpression>

namespace {

void view(Recordset& rs, const char* sort)
{
    rs.setFilter(RecordStatus::LiveFilter);
    rs.setSort(QLatin1String(sort));
}

void addRow(Recordset& rs, const QString& status, const QStringList& fields, const QStringList& values)
{
    rs.addNew();
    rs.setValue("REC_ID", QStringLiteral("0x00000000"));
    rs.setValue("STATUS", status);
    for (int i = 0; i < fields.size(); ++i)
        rs.setValue(fields.at(i), values.at(i));
    rs.update();
}

} // namespace

ReportFixture::ReportFixture()
{
    m_recipes = std::make_unique<DataSource1>(m_folder.file(TableDef::Recipes));
    m_menu = std::make_unique<DataSource8>(m_folder.file(TableDef::MenuPlanner));
    view(recipes(), "Name ASC");
    view(menu(), "MenuKey ASC");
}

QByteArray ReportFixture::tinyPng()
{
    static const char bytes[]
        = "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00\x00\x03\x08\x02"
          "\x00\x00\x00\x3b\x96\x39\x91\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9c\x63\x38\x61\xa3\x01\x47\x0c\x38\x39"
          "\x00\x19\xee\x0e\x11\x5f\xc3\xed\x96\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
    return QByteArray(bytes, sizeof(bytes) - 1);
}

int ReportFixture::pdfPages(const QByteArray& pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

void ReportFixture::addRecipe(QStringList row)
{
    row.resize(10);
    if (row.at(1).isEmpty())
        row[1] = row.at(0).toLower();
    if (row.at(7).isNull())
        row[7] = QStringLiteral("~~");
    addRow(m_recipes->recordset(), row.at(9).isEmpty() ? QStringLiteral("0x0000") : row.at(9),
           { "Name", "Key", "Category", "Serves", "Ingredients", "Instructions", "Nutrition", "RtgSrc", "Picture" },
           row.mid(0, 9));
    view(recipes(), "Name ASC");
}

void ReportFixture::addMenu(const QString& key, const QString& recipe, const QString& status)
{
    addRow(menu(), status, { "MenuKey", "MenuRecipe" }, { key, recipe });
    view(menu(), "MenuKey ASC");
}

void ReportFixture::addShopItem(const QString& key, const QString& aisle, const QString& qty, const QString& units,
                                const QString& ingredient, const QString& note, const QString& status)
{
    auto shop = loadShoppingList();
    addRow(shop->recordset(), status, { "ShopKey", "ShopAisle", "ShopIngr", "ShopQty", "ShopUnits", "ShopNote" },
           { key, aisle, ingredient, qty, units, note });
    shop->save();
}
