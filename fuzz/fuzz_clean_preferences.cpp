// CleanPreferenceFile over any file: never crashes, and cleaning a cleaned file changes nothing.
#include "FuzzInput.h"

#include "shell/Preferences.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZestoPrefs.cdb"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    CleanPreferenceFile(path);
    const QByteArray once = readAll(path);
    CleanPreferenceFile(path);
    if (readAll(path) != once)
        std::abort();
    return 0;
}
