// The ingredient list import: decoding and splitting any file's lines.
#include "FuzzInput.h"

#include "masterlists/MasterListImport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = MasterListImport::decodeLines(fuzzBytes(data, size));
    for (const QString& line : lines) {
        const MasterListImport::Line parts = MasterListImport::splitLine(line);
        if (parts.ingredient.size() > line.size() || parts.aisle.size() > line.size())
            std::abort();
    }
    return 0;
}
