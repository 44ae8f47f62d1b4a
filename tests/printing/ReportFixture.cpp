#include "ReportFixture.h"

#include "storage/TableCatalogue.h"

#include <QDir>

namespace {

void applyView(Recordset& rs, const char* sort)
{
    rs.setFilter(RecordStatus::LiveFilter);
    rs.setSort(QLatin1String(sort));
}

} // namespace

ReportFixture::ReportFixture()
{
    m_recipes = std::make_unique<DataSource1>(m_folder.file(TableDef::Recipes));
    m_menu = std::make_unique<DataSource8>(m_folder.file(TableDef::MenuPlanner));
    applyView(m_recipes->recordset(), "Name ASC");
    applyView(m_menu->recordset(), "MenuKey ASC");
}

QByteArray ReportFixture::tinyPng()
{
    static const char bytes[]
        = "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00\x00\x03\x08\x02"
          "\x00\x00\x00\x3b\x96\x39\x91\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9c\x63\x38\x61\xa3\x01\x47\x0c\x38\x39"
          "\x00\x19\xee\x0e\x11\x5f\xc3\xed\x96\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
    return QByteArray(bytes, sizeof(bytes) - 1);
}

QString ReportFixture::writePicture(const QString& fileName) const
{
    const QString path = QDir(m_folder.path()).filePath(fileName);
    TestData::writeFile(path, tinyPng());
    return path;
}

void ReportFixture::addRecipe(const RecipeRow& row)
{
    Recordset& rs = m_recipes->recordset();
    rs.addNew();
    rs.setValue("REC_ID", QStringLiteral("0x00000000"));
    rs.setValue("STATUS", row.status);
    rs.setValue("Key", row.key.isEmpty() ? row.name.toLower() : row.key);
    rs.setValue("Name", row.name);
    rs.setValue("Category", row.category);
    rs.setValue("Serves", row.serves);
    rs.setValue("Ingredients", row.ingredients);
    rs.setValue("Instructions", row.instructions);
    rs.setValue("Nutrition", row.nutrition);
    rs.setValue("RtgSrc", row.rtgSrc.isNull() ? QStringLiteral("~~") : row.rtgSrc);
    rs.setValue("Picture", row.picture);
    rs.update();
    applyView(rs, "Name ASC");
}

void ReportFixture::addMenu(const QString& key, const QString& recipe, const QString& status)
{
    Recordset& rs = m_menu->recordset();
    rs.addNew();
    rs.setValue("REC_ID", QStringLiteral("0x00000000"));
    rs.setValue("STATUS", status);
    rs.setValue("MenuKey", key);
    rs.setValue("MenuRecipe", recipe);
    rs.update();
    applyView(rs, "MenuKey ASC");
}

void ReportFixture::addShopItem(const QString& key, const QString& aisle, const QString& qty, const QString& units,
                                const QString& ingredient, const QString& note, const QString& status)
{
    auto shop = loadShoppingList();
    Recordset& rs = shop->recordset();
    rs.addNew();
    rs.setValue("REC_ID", QStringLiteral("0x00000000"));
    rs.setValue("STATUS", status);
    rs.setValue("ShopKey", key);
    rs.setValue("ShopAisle", aisle);
    rs.setValue("ShopIngr", ingredient);
    rs.setValue("ShopQty", qty);
    rs.setValue("ShopUnits", units);
    rs.setValue("ShopNote", note);
    rs.update();
    shop->save();
}

std::unique_ptr<DataSource7> ReportFixture::loadShoppingList() const
{
    return std::make_unique<DataSource7>(m_folder.file(TableDef::ShoppingList));
}

void ReportFixture::saveAll() const
{
    m_recipes->save();
    m_menu->save();
}
