#pragma once

#include "base/Platform.h"

#include <QSet>
#include <QStringList>
#include <QVector>

// A platform backend for tests: records what the program asked for and answers from fields the test sets.
// Installs itself on construction and restores the previous backend on destruction.
class FakePlatform : public PlatformBackend
{
public:
    FakePlatform() { Platform::setBackend(this); }
    ~FakePlatform() override { Platform::setBackend(m_previous); }

    struct Run
    {
        QString program;
        QStringList arguments;
    };

    QString clipboard;
    int beeps = 0;
    int busyDepth = 0; // currently shown busy pointers
    int busyShown = 0; // times the busy pointer was shown
    QStringList opened; // files and addresses opened
    bool openSucceeds = true;
    QVector<Run> runs; // programs started
    int runExitCode = 0;
    QSet<QString> windowTitles; // top-level windows that "exist"
    bool lockAvailable = true;
    QString configFolder; // the user's folders (UserFolder::Config, UserFolder::Data)
    QString dataFolder;
    QSet<QString> readOnlyFolders; // folders canWriteIn refuses, whatever their permissions

    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    void beep() override { ++beeps; }
    void setBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        busyShown += busy ? 1 : 0;
    }
    void processEvents() override { }
    bool openUrl(const QString& fileOrUrl) override
    {
        opened << fileOrUrl;
        return openSucceeds;
    }
    int runAndWait(const QString& program, const QStringList& arguments) override
    {
        runs.append({ program, arguments });
        return runExitCode;
    }
    bool topLevelWindowExists(const QString& title) override { return windowTitles.contains(title); }
    bool acquireSingleInstance(const QString&) override { return lockAvailable; }
    QString userFolder(UserFolder kind) override { return kind == UserFolder::Config ? configFolder : dataFolder; }
    bool canWriteIn(const QString& folder) override
    {
        return !readOnlyFolders.contains(folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder)
            && PlatformBackend::canWriteIn(folder);
    }

private:
    PlatformBackend* m_previous = Platform::backend();
};
