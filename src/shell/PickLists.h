#pragma once

#include "storage/DataSource.h"

#include <QStringList>

namespace PickLists {
// The entries of a pick list filled from a master table: hides deleted records, sorts the table by
// "<field> ASC" (the table keeps that filter and sort), and returns one empty entry followed by the field's
// value of every record in order; an empty list when the table has no live record.
QStringList entries(DataSource& table, const QString& field);
} // namespace PickLists
