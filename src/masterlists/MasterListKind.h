#pragma once

#include "storage/TableCatalogue.h"

#include <QString>
#include <QVector>

// One of the nine master lists the handheld shows as pick lists: its table, fields, order, limits and the
// captions and messages its editor shows.
struct MasterListKind
{
    QString keyword; // "cat", "qty", "units", "ingr", "ntrn", "source", "rating", "aisle", "meal"
    TableDef::Id table;
    QString valueField;
    QString keyField; // empty for kinds ordered by their value
    QString order; // sort of every view of the list, e.g. "IngrKey ASC"
    int maxLength; // longest entry in characters
    int limit; // N: at most N - 1 entries besides a reserved "All" record
    QString listCaption;
    QString newCaption;
    QString limitTitle;
    QString limitBody; // followed by the limit and "."

    bool hasKey() const { return !keyField.isEmpty(); }
    // Only the ingredient list carries an aisle.
    bool hasAisle() const { return table == TableDef::Ingredients; }
    // Ratings and sources are packed with "~~" into the recipe, so an updated entry loses every "~".
    bool stripsTildeOnUpdate() const { return table == TableDef::Ratings || table == TableDef::Sources; }
    QString limitText() const { return limitBody + QString::number(limit) + QLatin1Char('.'); }
    QString windowCaption() const { return QStringLiteral("Edit ") + listCaption; }
};

namespace MasterListKinds {
// The nine kinds in menu order.
const QVector<MasterListKind>& all();
// The kind of a keyword (exact, lower case), or nullptr.
const MasterListKind* find(const QString& keyword);
} // namespace MasterListKinds

// The value an entry is ordered and matched by: for quantities the value read as a quantity and written in
// its fixed decimal form, for units, ingredients and nutritional items the value itself; then normalised
// with NormalizeForMatch. Empty for kinds without a key field.
QString MasterListKey(const MasterListKind& kind, const QString& value);

// The longest aisle an ingredient can carry.
constexpr int kMaxAisleLength = 5;
// The reserved entry that the lists never show, select or count.
inline const QString kReservedAllEntry = QStringLiteral("All");
