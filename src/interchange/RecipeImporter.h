#pragma once

#include "interchange/ImportedRecipe.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class LineSource;
class Recordset;

// Options of one import run.
struct ImportOptions
{
    // Read the file as user-ordered CSV with these columns (CsvRecipeFormat field names); otherwise the text
    // layouts are recognised by their marker lines.
    bool csv = false;
    QStringList csvFields;
};

// What a run did.
struct ImportResult
{
    struct Skip
    {
        int line = 0; // line of the file where the recipe started
        QString reason;
        QByteArray text; // the recipe's lines as they stand in the file, up to the next recipe
    };
    int saved = 0;
    QVector<Skip> skipped;
    bool limitReached = false;
    // When the limit stopped the run: the rest of the file from the first recipe not read, unchanged.
    QByteArray notReached;
};

// Appends the recipes of an import file to the recipe table.
//
// The file is read one recipe at a time; a recipe that cannot be read is skipped with a reason and the run
// goes on. Every saved recipe is a new record (RecordStatus::addNew) with a title made unique
// against every key of the table (deleted records included) and with its categories merged into the
// category table. The run stops, after telling the user, when the table holds RecipeTable::kMaxRecipes live recipes.
class RecipeImporter
{
public:
    static constexpr int CategoryLimit = 79;

    // categories may be nullptr (categories are then kept on the recipes only).
    RecipeImporter(Recordset& recipes, Recordset* categories);

    // Called after each recipe with the number of recipes handled so far (saved and skipped); the window
    // repaints its progress label from it.
    std::function<void(int)> onProgress;

    // Reads the file: a web page or JSON file with schema.org recipe data whole, any other file as CSV (when the
    // options say so) or as the text layouts found by their marker lines.
    ImportResult run(LineSource& source, const ImportOptions& options);

    // A title no recipe key matches: the title itself, or its first 56 characters with " #2", " #3", ...
    QString uniqueTitle(const QString& title) const;
    // Adds a category name to the category table when it is missing, the name is not empty and the table
    // holds fewer than 79 live categories.
    void mergeCategory(const QString& name);
    // Appends one recipe (fields cut to the table's widths) to the recipe table.
    void save(const ImportedRecipe& recipe);

    // The category text kept by the save step: at most 100 characters, no partial name, at most six names.
    static QString cutCategories(QString categories);

private:
    ImportResult runText(LineSource& source, const ImportOptions& options);
    ImportResult runDocument(LineSource& source);
    // True, after telling the user, when the table is full (the caller keeps what was not read).
    bool stopAtLimit(ImportResult& result);
    // The first of title " #2", " #3", ... that no key matches (the title itself is taken).
    QString numberedTitle(const QString& title) const;

    Recordset& m_recipes;
    struct Fields
    {
        int status, key, name, category, rtgSrc, serves, ingredients, nutrition, instructions;
    } m_fields {};
    Recordset* m_categories;
    QSet<QString> m_keys; // lower-cased keys of every recipe record
    // Per title already numbered: the counter below which every " #n" title is taken. Keys are only ever
    // added, so the walk for that title can start there.
    mutable QHash<QString, int> m_nextNumber;
    QSet<QString> m_categoryNames; // lower-cased live category names
    int m_liveCategories = 0;
    int m_liveRecipes = 0;
};
