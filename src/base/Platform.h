#pragma once

#include <QString>
#include <QStringList>

// The user's own folders for this program.
enum class UserFolder {
    Config, // where the desktop keeps the program's settings (~/.config/zestora-plus)
    Data // where the desktop keeps the program's data (~/.local/share/zestora-plus)
};

// Everything the program asks of the desktop besides dialogs, behind one seam that tests replace.
class PlatformBackend
{
public:
    virtual ~PlatformBackend() = default;
    // The user's folder of that kind, without a trailing separator; it may not exist yet. The default asks
    // QStandardPaths (AppConfigLocation, AppDataLocation), named after the application.
    virtual QString userFolder(UserFolder kind);
    // True when files can be created in folder (an existing folder the user may write to). The default asks
    // the file system.
    virtual bool canWriteIn(const QString& folder);
    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void beep() = 0;
    // Shows or clears the busy (wait) pointer.
    virtual void setBusy(bool busy) = 0;
    // Lets the window system repaint and handle input during a long step.
    virtual void processEvents() = 0;
    // Opens a file with the desktop's default program, or a web address in the browser; false when nothing
    // could be started.
    virtual bool openUrl(const QString& fileOrUrl) = 0;
    // Starts a program with a visible window and waits, without a time limit, for it to end while the
    // windows keep painting. Returns its exit code, or -1 when it could not be started.
    virtual int runAndWait(const QString& program, const QStringList& arguments) = 0;
    // True when a top-level window titled exactly title exists on the desktop.
    virtual bool topLevelWindowExists(const QString& title) = 0;
    // Takes the single-instance lock for this user; false when another copy holds it.
    virtual bool acquireSingleInstance(const QString& key) = 0;
};

// The facade the program calls. With no backend installed, a headless one is used: clipboard in memory,
// no pointer, nothing opened or started, no windows found, the lock always granted.
class Platform
{
public:
    static void setBackend(PlatformBackend* backend);
    static PlatformBackend* backend();

    static QString clipboardText() { return backend()->clipboardText(); }
    static void setClipboardText(const QString& text) { backend()->setClipboardText(text); }
    static void beep() { backend()->beep(); }
    static void processEvents() { backend()->processEvents(); }
    static bool openUrl(const QString& fileOrUrl) { return backend()->openUrl(fileOrUrl); }
    static int runAndWait(const QString& program, const QStringList& arguments)
    {
        return backend()->runAndWait(program, arguments);
    }
    static bool topLevelWindowExists(const QString& title) { return backend()->topLevelWindowExists(title); }
    static bool acquireSingleInstance(const QString& key) { return backend()->acquireSingleInstance(key); }
    static QString userFolder(UserFolder kind) { return backend()->userFolder(kind); }
    static bool canWriteIn(const QString& folder) { return backend()->canWriteIn(folder); }
};

// Shows the busy pointer for its lifetime (and lets the window system paint once).
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// The headless backend: used by the command-line tool and as the default.
class HeadlessPlatform : public PlatformBackend
{
public:
    QString clipboardText() override { return m_clipboard; }
    void setClipboardText(const QString& text) override { m_clipboard = text; }
    void beep() override { }
    void setBusy(bool) override { }
    void processEvents() override { }
    bool openUrl(const QString&) override { return false; }
    int runAndWait(const QString&, const QStringList&) override { return -1; }
    bool topLevelWindowExists(const QString&) override { return false; }
    bool acquireSingleInstance(const QString&) override { return true; }

private:
    QString m_clipboard;
};
