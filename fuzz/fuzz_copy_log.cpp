// The conduit's copy log: any text gives a user folder or none.
#include "FuzzInput.h"

#include "shell/Startup.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString folder = Startup::userPathFromCopyLog(text);
    if (!folder.isEmpty() && !text.contains(QLatin1String("UserPath: ")))
        std::abort();
    return 0;
}
