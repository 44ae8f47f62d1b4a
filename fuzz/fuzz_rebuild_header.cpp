// RebuildHeader over any file: reads the leading header lines of a real file and rebuilds them.
#include "FuzzInput.h"

#include "storage/TableFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.cdb"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    const int fields = size > 0 ? data[0] % 16 : 3;
    const QString header = RebuildHeader(path, 7, fields, QStringLiteral("S"));
    // The rebuilt header always states the record count when the old one had a count line, and never ends in
    // a line end.
    if (header.endsWith(QLatin1String("\r\n")))
        std::abort();
    return 0;
}
