// The settings file reader and writer over any file: reading never crashes, and a value written is read back.
#include "FuzzInput.h"

#include "shell/Settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zestoraplus.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    Settings::read(path, QStringLiteral("Main"), QStringLiteral("DataPath"), QString());
    Settings::read(path, QStringLiteral("Form"), QStringLiteral("Left"), QStringLiteral("x"));
    const QString value = QStringLiteral("C:\\Program Files\\Zestora Plus\\Backup\\");
    if (!Settings::write(path, QStringLiteral("Main"), QStringLiteral("BackupPath"), value)) {
        if (Settings::read(path, QStringLiteral("Main"), QStringLiteral("BackupPath"), QString()) != value)
            std::abort();
    }
    return 0;
}
