#pragma once

#include "storage/RecordStatus.h"

#include <QString>
#include <QVector>

// One own field of a table (REC_ID and STATUS are common to all tables and not listed).
struct FieldDef
{
    QString name;
    int maxLength = 0;
    // Written with every CR LF as backslash-n and read back with CR LF (recipe Instructions).
    bool escapeLineBreaks = false;
    // Written and read without doubling double quotes (recipe Nutrition).
    bool rawQuotes = false;
};

// The fixed description of one of the thirteen tables.
struct TableDef
{
    enum Id {
        Recipes,
        Categories,
        Quantities,
        Units,
        Ingredients,
        ShoppingList,
        MenuPlanner,
        NutritionalItems,
        Sources,
        Ratings,
        Aisles,
        Meals,
        Preferences,
        Count
    };

    Id id;
    QString fileName;
    // Number in the data source's class name ("1" for DataSource1, "prefs" for DataSourcePrefs2); used in
    // the loaders' messages.
    QString sourceNumber;
    QVector<FieldDef> fields;
    // Sort used by the table's views, e.g. "Name ASC".
    QString order;
    // Records may continue over several physical lines (recipe table).
    bool multiLineRecords = false;

    int ownFieldCount() const { return fields.size(); }
    // Index of an own field by name (case-insensitive), or -1.
    int ownFieldIndex(const QString& name) const;
};

namespace TableCatalogue {
// The definition of a table.
const TableDef& table(TableDef::Id id);
// All thirteen, in catalogue order.
const QVector<TableDef>& all();
// The table stored in the named file (case-insensitive), or nullptr.
const TableDef* byFileName(const QString& fileName);
} // namespace TableCatalogue
