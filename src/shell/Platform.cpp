#include "shell/Platform.h"

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
