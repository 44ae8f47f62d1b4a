#pragma once

#include "TestData.h"
#include "storage/DataSource.h"

#include <memory>

// A data folder with recipes, shopping list items and menu entries for the report tests.
class ReportFixture
{
public:
    ReportFixture();
    QString dataPath() const { return m_folder.path(); }
    QString writePicture() const // a 4x3 pixel PNG in the data folder
    {
        TestData::writeFile(dataPath() + "/pie.png", tinyPng());
        return dataPath() + "/pie.png";
    }
    static QByteArray tinyPng();
    static int pdfPages(const QByteArray& pdf);
    // Recipes and menu are held as live views. Fields: name, key (default: the name in lower case), category,
    // serves, ingredients, instructions, nutrition, rtgSrc (default "~~"), picture, status (default "0x0000").
    void addRecipe(QStringList row);
    void addMenu(const QString& key, const QString& recipe, const QString& status = QStringLiteral("0x0000"));
    void addShopItem(const QString& key, const QString& aisle, const QString& qty, const QString& units,
                     const QString& ingredient, const QString& note, const QString& status = QStringLiteral("0x0000"));
    Recordset& recipes() { return m_recipes->recordset(); }
    Recordset& menu() { return m_menu->recordset(); }
    std::unique_ptr<DataSource7> loadShoppingList() const
    {
        return std::make_unique<DataSource7>(m_folder.file(TableDef::ShoppingList));
    }
    void saveAll() const
    {
        m_recipes->save();
        m_menu->save();
    }

private:
    TestData::DataFolderFixture m_folder;
    std::unique_ptr<DataSource1> m_recipes;
    std::unique_ptr<DataSource8> m_menu;
};
