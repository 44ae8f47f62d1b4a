#pragma once

#include "TestData.h"
#include "storage/DataSource.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A data folder with a few recipes, shopping list items and menu entries for the report tests.
struct RecipeRow
{
    RecipeRow(QString name_, QString key_ = {}, QString category_ = {}, QString serves_ = {}, QString ingredients_ = {},
              QString instructions_ = {}, QString nutrition_ = {}, QString rtgSrc_ = {}, QString picture_ = {},
              QString status_ = QStringLiteral("0x0000"))
        : name(name_)
        , key(key_)
        , category(category_)
        , serves(serves_)
        , ingredients(ingredients_)
        , instructions(instructions_)
        , nutrition(nutrition_)
        , rtgSrc(rtgSrc_)
        , picture(picture_)
        , status(status_)
    {
    }
    QString name;
    QString key;
    QString category;
    QString serves;
    QString ingredients;
    QString instructions;
    QString nutrition;
    QString rtgSrc;
    QString picture;
    QString status;
};

class ReportFixture
{
public:
    ReportFixture();

    QString dataPath() const { return m_folder.path(); }
    // A 4x3 pixel PNG written into the data folder; returns its path.
    QString writePicture(const QString& fileName = QStringLiteral("pie.png")) const;
    static QByteArray tinyPng();

    // Appends rows to the held tables (recipes and menu are live views: filter on deleted records, sorted).
    void addRecipe(const RecipeRow& row);
    void addMenu(const QString& key, const QString& recipe, const QString& status = QStringLiteral("0x0000"));
    // Appends a shopping list item to the file in the data folder.
    void addShopItem(const QString& key, const QString& aisle, const QString& qty, const QString& units,
                     const QString& ingredient, const QString& note, const QString& status = QStringLiteral("0x0000"));

    Recordset& recipes() { return m_recipes->recordset(); }
    Recordset& menu() { return m_menu->recordset(); }
    // A fresh copy of the shopping list loaded from its file.
    std::unique_ptr<DataSource7> loadShoppingList() const;
    // Writes the recipe and menu tables back to their files (for tests that load them again).
    void saveAll() const;

private:
    TestData::DataFolderFixture m_folder;
    std::unique_ptr<DataSource1> m_recipes;
    std::unique_ptr<DataSource8> m_menu;
};
