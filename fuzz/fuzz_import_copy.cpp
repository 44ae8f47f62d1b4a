// Import copies of any table bytes: one output line per input line.
#include "FuzzInput.h"

#include "handheld/BackupRestore.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray in = fuzzBytes(data, size);
    const QByteArray out = BackupRestore::importCopyBytes(in, size > 0 && (data[0] & 1));
    if (!in.isEmpty() && !out.endsWith("\r\n"))
        std::abort();
    return 0;
}
