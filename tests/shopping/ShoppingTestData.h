#pragma once

#include "storage/DataSource.h"
#include "storage/TableCatalogue.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace ShoppingTestData {

// Appends records (own field values in table order, after REC_ID and STATUS) to a table file.
inline void append(const QString& folder, TableDef::Id id, std::initializer_list<QStringList> records)
{
    auto source = DataSource::open(id, folder);
    Recordset& rs = source->recordset();
    for (const QStringList& values : records) {
        rs.addNew();
        for (int i = 0; i < values.size(); ++i)
            rs.setValue(i, values.at(i));
        rs.update();
    }
    source->save();
}

// A master ingredient record: ingredient name and aisle.
inline QStringList masterIngredient(const QString& name, const QString& aisle)
{
    return { QStringLiteral("0x00000000"), QStringLiteral("0x0008"), name.toLower(), name, aisle, {}, {} };
}

// A recipe record with a key, a name and item-line ingredients.
inline QStringList recipe(const QString& key, const QString& name, const QString& ingredients,
                          const QString& status = QStringLiteral("0x0000"))
{
    return { QStringLiteral("0x00000101"), status, key, name, {}, QStringLiteral("4"), ingredients, {}, {},
             QStringLiteral("~~"),         {},     {} };
}

// The records of a table file as "STATUS|field|field..." for the named fields, in file order.
inline QStringList read(const QString& folder, TableDef::Id id, const QStringList& fields)
{
    auto source = DataSource::open(id, folder);
    Recordset& rs = source->recordset();
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList row { rs.value(QStringLiteral("STATUS")) };
        for (const QString& f : fields)
            row << rs.value(f);
        out << row.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace ShoppingTestData
