#pragma once

#include "base/Platform.h"

#include <memory>

class QLockFile;
class X11Windows;

// The desktop platform for the program: Qt's clipboard, pointer and desktop services, child processes
// waited for in a local event loop, the X11 window look-up and a lock file for the single running copy.
class QtPlatform : public PlatformBackend
{
public:
    QtPlatform();
    ~QtPlatform() override;

    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void beep() override;
    void setBusy(bool busy) override;
    void processEvents() override;
    bool openUrl(const QString& fileOrUrl) override;
    int runAndWait(const QString& program, const QStringList& arguments) override;
    bool topLevelWindowExists(const QString& title) override;
    // The lock file lives in the temporary folder and is named after key and the user; it is held until
    // this object is destroyed. A lock left by a crashed copy is taken over.
    bool acquireSingleInstance(const QString& key) override;

    // The lock file path used for key (for tests).
    static QString lockPath(const QString& key);

private:
    std::unique_ptr<X11Windows> m_x11;
    std::unique_ptr<QLockFile> m_lock;
};
