#pragma once

#include <QString>
#include <QStringList>

class Recordset;

// Adding to a loaded copy of the master ingredient table (filtered to live records) from recipe lines.
namespace MasterIngredients {

// The copy stops growing automatically at this many records.
constexpr int kAutoAddLimit = 9999;
// "Add all" stops once the copy holds more than this many records.
constexpr int kAddAllLimit = 9960;

// Adds item as a new master ingredient (cut to 80 characters) unless it is empty, its key is already in the
// copy, or the copy holds kAutoAddLimit records. True when a record was added.
bool autoAdd(Recordset& ingredients, const QString& item);

// Adds every non-empty item as a new master ingredient, duplicates included, stopping when the copy holds
// more than kAddAllLimit records. Returns the number added; *full is set when it stopped at the limit.
int addAll(Recordset& ingredients, const QStringList& items, bool* full = nullptr);

} // namespace MasterIngredients
