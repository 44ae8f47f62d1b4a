#pragma once

#include "interchange/RecipeFormat.h"

#include <QByteArrayView>
#include <QJsonObject>
#include <QVector>

// Recipes as web sites publish them: schema.org Recipe objects in JSON-LD, inside the <script
// type="application/ld+json"> blocks of a saved page or in a JSON file. Web recipe managers read and write the
// same vocabulary, so the writer hands recipes to them as a JSON array of Recipe objects.
//
// A page or file is read whole: every object whose @type is (or lists) Recipe is found at the top level, in
// arrays, in @graph and under mainEntity; an author given as an {"@id"} reference is looked up once among the
// document's objects. Strings lose their HTML tags and character references, and characters the table's code
// page cannot hold become their nearest plain form.
class SchemaOrgFormat : public RecipeFormat
{
public:
    QString formatName() const override { return QStringLiteral("schema.org"); }
    QString nameFilter() const override { return QStringLiteral("Web recipes (*.html *.htm *.json *.jsonld)"); }
    // Web documents are recognised by their whole content (documentKind), never by one line.
    bool canRead(const QString&) const override { return false; }
    // Reads the rest of the source as one document and takes its first recipe; false, with the first problem
    // as the error, when it holds none.
    bool read(LineSource& source, ImportedRecipe& recipe) override;

    enum class Kind { None, Json, Page };
    // Json: the first non-blank character is "{" or "[". Page: "<" first and an html element, an HTML doctype or
    // an ld+json script in the text. None otherwise.
    static Kind documentKind(QByteArrayView bytes);

    // One recipe found, or one thing that could not be read (problem set, recipe empty).
    struct Entry
    {
        int line = 1;
        ImportedRecipe recipe;
        QString problem;
        QJsonObject object; // the Recipe object the recipe was read from
        QString brokenBlock; // the text of a data block that could not be read, as it stands in the document
    };
    struct Document
    {
        // False when the bytes hold no structured data at all: a page without ld+json blocks, or text that only
        // starts like JSON. Such files may still be one of the text layouts.
        bool hasData = false;
        QVector<Entry> entries; // in document order
    };
    // Reads a page or JSON file (valid UTF-8 as UTF-8, anything else as Windows-1252). A document with data but
    // no Recipe gets one entry with NoRecipeText. Never fails otherwise: a block of broken JSON is one problem
    // entry and the other blocks are still read.
    static Document readDocument(QByteArrayView bytes);

    static const QString NoRecipeText;

    // The data an entry came from (its Recipe object, or the broken block's text unchanged) as one
    // <script type="application/ld+json"> element, UTF-8 with CR LF; empty for an entry without data. Elements
    // joined one after another form a page this reader takes again, so skipped recipes can be mended and
    // imported.
    static QByteArray entryText(const Entry& entry);

    // The writer: "[" before the first recipe, one Recipe object each, "]" at the end; UTF-8, CR LF.
    bool canWrite() const override { return true; }
    bool beginFile(QIODevice& device) override;
    bool write(QIODevice& device, const RecipeRecord& recipe) override;
    bool endFile(QIODevice& device) override;

    // The Recipe object of a record: name, recipeCategory (a list), recipeYield, recipeIngredient (each line as
    // text), recipeInstructions (one HowToStep per paragraph), prepTime/cookTime/totalTime and url taken back from
    // the lines the reader writes after the steps, author, aggregateRating and the nutrition the vocabulary
    // names. Empty fields are left out.
    static QJsonObject toJson(const RecipeRecord& recipe);

private:
    int m_written = 0;
};
