// Filter and find expressions: any text either parses or raises the recordset's error; nothing else.
#include "FuzzInput.h"

#include "storage/Recordset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Recordset* rs = [] {
        auto* r = new Recordset;
        r->appendField(QStringLiteral("REC_ID"), 10, true);
        r->appendField(QStringLiteral("STATUS"), 6, true);
        r->appendField(QStringLiteral("Name"), 75);
        r->appendRecord({QStringLiteral("0x1"), QStringLiteral("0x0000"), QStringLiteral("Mom's Pie")});
        r->appendRecord({QStringLiteral("0x2"), QStringLiteral("0x0002"), QString()});
        return r;
    }();
    const QString text = fuzzText(data, size);
    try {
        rs->setFilter(text);
        rs->setFilter(QString());
        rs->moveFirst();
        rs->find(text);
    } catch (const RecordsetError&) {
    }
    return 0;
}
