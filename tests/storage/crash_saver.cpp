// Test helper: loads every table of a data folder, appends one record to each, and writes them all back.
// The crash-safety test kills it at random moments.
#include "storage/DataSource.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 1;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const TableDef& def : TableCatalogue::all()) {
        auto source = DataSource::open(def.id, folder);
        Recordset& rs = source->recordset();
        RecordStatus::addNew(rs);
        rs.setValue(2, QStringLiteral("added by the crash test"));
        if (!source->save())
            return 2;
    }
    return 0;
}
