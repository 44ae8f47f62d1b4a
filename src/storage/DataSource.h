#pragma once

#include "base/AppError.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

#include <QString>

#include <memory>

// Thrown by a data source whose file could not be loaded. Nothing has been shown yet: the caller decides how
// to tell the user (the shell's LoadFailure has the messages). Deliberately not a std::exception: a command's
// handler that reports a failed step and carries on must not swallow it; it travels to whoever knows what a
// missing table means (the start-up code, the event loop's handler, the command-line front end).
class TableLoadError
{
public:
    TableLoadError(TableDef::Id table, const QString& path, const AppError& error);
    TableDef::Id table() const { return m_table; }
    QString path() const { return m_path; }
    AppError error() const { return m_error; }

private:
    TableDef::Id m_table;
    QString m_path;
    AppError m_error;
};

// A table loaded from its file. Creating one reads the whole file into its recordset; when the file is
// missing or unreadable the constructor throws TableLoadError. Whoever creates the object owns it.
class DataSource
{
public:
    DataSource(TableDef::Id id, const QString& path);
    virtual ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    Recordset& recordset() { return m_rs; }
    const Recordset& recordset() const { return m_rs; }
    const TableDef& definition() const { return *m_def; }
    QString path() const { return m_path; }

    // Writes the table back to its file with the table writer; reports a failure through ShowError.
    bool save() const;

    // Loads the table of that id from the data folder.
    static std::unique_ptr<DataSource> open(TableDef::Id id, const QString& dataFolder);
    // The path of a table's file in a data folder.
    static QString tablePath(const QString& dataFolder, TableDef::Id id);

private:
    const TableDef* m_def;
    QString m_path;
    Recordset m_rs;
};

// The thirteen data source classes; creating one loads its table file.
#define ZESTORA_DATA_SOURCE(ClassName, TableId)                                                                        \
    class ClassName : public DataSource                                                                                \
    {                                                                                                                  \
    public:                                                                                                            \
        explicit ClassName(const QString& path)                                                                        \
            : DataSource(TableDef::TableId, path)                                                                      \
        {                                                                                                              \
        }                                                                                                              \
    };
ZESTORA_DATA_SOURCE(DataSource1, Recipes)
ZESTORA_DATA_SOURCE(DataSource2, Categories)
ZESTORA_DATA_SOURCE(DataSource4, Quantities)
ZESTORA_DATA_SOURCE(DataSource5, Units)
ZESTORA_DATA_SOURCE(DataSource6, Ingredients)
ZESTORA_DATA_SOURCE(DataSource7, ShoppingList)
ZESTORA_DATA_SOURCE(DataSource8, MenuPlanner)
ZESTORA_DATA_SOURCE(DataSource11, NutritionalItems)
ZESTORA_DATA_SOURCE(DataSource12, Sources)
ZESTORA_DATA_SOURCE(DataSource13, Ratings)
ZESTORA_DATA_SOURCE(DataSource14, Aisles)
ZESTORA_DATA_SOURCE(DataSource15, Meals)
ZESTORA_DATA_SOURCE(DataSourcePrefs2, Preferences)
#undef ZESTORA_DATA_SOURCE
