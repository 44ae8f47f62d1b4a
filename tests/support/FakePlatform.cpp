#include "FakePlatform.h"

FakePlatform::FakePlatform()
    : m_previous(Platform::backend())
{
    Platform::setBackend(this);
}

FakePlatform::~FakePlatform()
{
    Platform::setBackend(m_previous);
}

void FakePlatform::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    busyShown += busy ? 1 : 0;
}

bool FakePlatform::openUrl(const QString& fileOrUrl)
{
    opened << fileOrUrl;
    return openSucceeds;
}

int FakePlatform::runAndWait(const QString& program, const QStringList& arguments)
{
    runs.append({ program, arguments });
    return runExitCode;
}

bool FakePlatform::canWriteIn(const QString& folder)
{
    const QString bare = folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    return !readOnlyFolders.contains(bare) && PlatformBackend::canWriteIn(folder);
}
