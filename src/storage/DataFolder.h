#pragma once

#include "base/AppError.h"
#include "storage/TableCatalogue.h"

#include <QString>
#include <QVector>

#include <optional>

// Whole-folder operations on the thirteen table files.
namespace DataFolder {

// Creates the folder if needed and writes every table file with a header written from nothing and no
// records. Refuses (and writes nothing) when any table file already exists.
std::optional<AppError> initEmpty(const QString& folder);

struct TableSummary
{
    QString fileName;
    int records = 0;
    int live = 0; // records not marked deleted
};

// Loads every table of the folder (through its data source, so a missing file is fatal) and counts its
// records. With resave, writes each table back as loaded; the first write failure is returned.
QVector<TableSummary> check(const QString& folder, bool resave, std::optional<AppError>* writeFailure = nullptr);

} // namespace DataFolder
