#include "base/Platform.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {
PlatformBackend* g_backend = nullptr;
}

void Platform::setBackend(PlatformBackend* backend)
{
    g_backend = backend;
}

PlatformBackend* Platform::backend()
{
    static HeadlessPlatform headless;
    return g_backend ? g_backend : &headless;
}

BusyPointer::BusyPointer()
{
    Platform::backend()->setBusy(true);
    Platform::processEvents();
}

BusyPointer::~BusyPointer()
{
    Platform::backend()->setBusy(false);
}

QString PlatformBackend::userFolder(UserFolder kind)
{
    return QStandardPaths::writableLocation(kind == UserFolder::Config ? QStandardPaths::AppConfigLocation
                                                                       : QStandardPaths::AppDataLocation);
}

bool PlatformBackend::canWriteIn(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}
