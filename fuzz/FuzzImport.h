#pragma once

#include "interchange/LineSource.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QByteArray>

// Runs the whole import pipeline over the bytes, into fresh in-memory recipe and category tables.
inline void fuzzImport(const QByteArray& bytes, const ImportOptions& options)
{
    Recordset recipes;
    TableFile::defineFields(recipes, TableCatalogue::table(TableDef::Recipes));
    Recordset categories;
    TableFile::defineFields(categories, TableCatalogue::table(TableDef::Categories));
    RecipeImporter importer(recipes, &categories);
    LineSource source(bytes);
    importer.run(source, options);
}
