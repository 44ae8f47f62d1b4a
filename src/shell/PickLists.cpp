#include "shell/PickLists.h"

QStringList PickLists::entries(DataSource& table, const QString& field)
{
    Recordset& rs = table.recordset();
    rs.setFilter(RecordStatus::LiveFilter);
    rs.setSort(field + QStringLiteral(" ASC"));
    QStringList items;
    if (rs.recordCount() == 0)
        return items;
    items << QString();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        items << rs.value(field);
    return items;
}
