#pragma once

#include "interchange/ImportedRecipe.h"
#include "recipes/RecipeRecord.h"

#include <QString>

class LineSource;
class QIODevice;

// One foreign recipe file layout. A reader takes one recipe at a time from a line source; a writer appends
// one recipe to a device. Neither keeps state between recipes apart from its last error text.
class RecipeFormat
{
public:
    virtual ~RecipeFormat() = default;

    // Short name ("Meal-Master", "MasterCook", ...).
    virtual QString formatName() const = 0;
    // File dialog filter in Qt's form ("Meal-Master files (*.mmf *.txt)").
    virtual QString nameFilter() const = 0;

    // True when the line starts a recipe of this layout (its marker line). Record layouts whose every line is a
    // recipe (PocketRecipes, Cookbook Wizard) recognise their heading line.
    virtual bool canRead(const QString& line) const = 0;
    // Reads one recipe. The source's current line is the marker line (or, for record layouts, the line before
    // the record). On return the line that ended the recipe is current (record layouts: the record's last
    // line). Returns false, with errorString() set, when no recipe could be taken; the recipe is then skipped.
    virtual bool read(LineSource& source, ImportedRecipe& recipe) = 0;

    virtual bool canWrite() const { return false; }
    // Appends one recipe in this layout (Windows-1252, CR LF). False with errorString() when the device
    // refuses the bytes or the layout cannot be written.
    virtual bool write(QIODevice& device, const RecipeRecord& recipe);
    // Called once before the first and after the last recipe of a file, for layouts that frame their recipes.
    virtual bool beginFile(QIODevice&) { return true; }
    virtual bool endFile(QIODevice&) { return true; }

    QString errorString() const { return m_error; }

protected:
    bool fail(const QString& error)
    {
        m_error = error;
        return false;
    }
    // Writes the text encoded for the file; false (with the error text) when the device refuses it.
    bool writeText(QIODevice& device, const QString& text);

    QString m_error;
};
