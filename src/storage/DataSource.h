#pragma once

#include "shell/AppError.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"

#include <QString>

#include <functional>
#include <memory>

// Thrown by a data source whose file could not be loaded, after the failure was reported.
class TableLoadError : public std::runtime_error
{
public:
    TableLoadError(const QString& path, const AppError& error);
    QString path() const { return m_path; }
    AppError error() const { return m_error; }

private:
    QString m_path;
    AppError m_error;
};

// A table loaded from its file. Creating one reads the whole file into its recordset; when the file is
// missing or unreadable the failure is shown through Dialogs (with the table's own message) and the
// program ends through the fatal-load hook. Whoever creates the object owns it.
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

    // The message a loader shows for a failure (title and text), as the user sees it.
    static void reportLoadFailure(const TableDef& def, const QString& path, const AppError& error);

    // Called after a load failure was reported; ends the program. Tests replace it (for example with one
    // that throws) and get the default back with nullptr. If the hook returns, the constructor throws
    // TableLoadError.
    using FatalHook = std::function<void(const TableLoadError&)>;
    static void setFatalHook(FatalHook hook);

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
