#pragma once

#include "TestData.h"
#include "masterlists/MasterListKind.h"
#include "storage/Cp1252.h"
#include "storage/TableFile.h"

#include <QRegularExpression>
#include <QStringList>

namespace MasterTestData {

struct Rec
{
    QString id;
    QString status;
    QString value;
    QString aisle; // ingredients only
};

// Writes kind's table with recs: REC_ID, STATUS, then the own fields (key computed).
inline void writeTable(const TestData::DataFolderFixture& data, const MasterListKind& kind, const QVector<Rec>& recs)
{
    const TableDef& def = TableCatalogue::table(kind.table);
    QString text = TableFile::headerFromNothing(recs.size(), def.ownFieldCount()) + QStringLiteral("\r\n");
    for (const Rec& r : recs) {
        QVector<QString> v(def.ownFieldCount() + 2);
        v[0] = r.id, v[1] = r.status;
        v[def.ownFieldIndex(kind.valueField) + 2] = r.value;
        if (kind.hasKey())
            v[def.ownFieldIndex(kind.keyField) + 2] = MasterListKey(kind, r.value);
        if (kind.hasAisle())
            v[def.ownFieldIndex(QStringLiteral("IngrAisle")) + 2] = r.aisle;
        text += TableFile::recordLine(v, def) + QStringLiteral("\r\n");
    }
    data.writeBytes(kind.table, Cp1252::encode(text));
}

// n synchronised records "<prefix>0001", "<prefix>0002", ...
inline QVector<Rec> numbered(int n, const QString& prefix = QStringLiteral("E"))
{
    QVector<Rec> recs;
    for (int i = 1; i <= n; ++i)
        recs.append({ QStringLiteral("0x%1").arg(i, 8, 16, QLatin1Char('0')), QStringLiteral("0x0000"),
                      prefix + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')), QString() });
    return recs;
}

// The record lines of a table file (header dropped).
inline QStringList recordLines(const TestData::DataFolderFixture& data, TableDef::Id id)
{
    return Cp1252::decode(data.readBytes(id))
        .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
        .filter(QRegularExpression(QStringLiteral("^[^#]")));
}

} // namespace MasterTestData
