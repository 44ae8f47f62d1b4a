#pragma once

#include "TestData.h"
#include "storage/DataSource.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// A data folder with a few recipes, shopping list items and menu entries for the report tests.
class ReportFixture
{
public:
    ReportFixture();

    QString dataPath() const { return m_folder.path(); }
    // A 4x3 pixel PNG written into the data folder; returns its path.
    QString writePicture() const;
    static QByteArray tinyPng();
    // Pages in a PDF file.
    static int pdfPages(const QByteArray& pdf);

    // Recipes and menu are held as live views (deleted records filtered out, sorted).
    // Fields: name, key (default: the name in lower case), category, serves, ingredients, instructions, nutrition,
    // rtgSrc (default "~~"), picture, status (default "0x0000").
    void addRecipe(QStringList row);
    void addMenu(const QString& key, const QString& recipe, const QString& status = QStringLiteral("0x0000"));
    // Appends to the shopping list file.
    void addShopItem(const QString& key, const QString& aisle, const QString& qty, const QString& units,
                     const QString& ingredient, const QString& note, const QString& status = QStringLiteral("0x0000"));

    Recordset& recipes() { return m_recipes->recordset(); }
    Recordset& menu() { return m_menu->recordset(); }
    std::unique_ptr<DataSource7> loadShoppingList() const;
    // Writes recipes and menu back to their files.
    void saveAll() const;

private:
    TestData::DataFolderFixture m_folder;
    std::unique_ptr<DataSource1> m_recipes;
    std::unique_ptr<DataSource8> m_menu;
};
