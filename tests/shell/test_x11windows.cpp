// Runs on a real X server (the test command starts one with xvfb-run).
#include "ScriptedDialogs.h"
#include "ShellFixture.h"
#include "app/Main.h"
#include "shell/ui/QtPlatform.h"

#include <QWidget>
#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

class TestX11Windows : public QObject
{
    Q_OBJECT
private:
    Display* m_display = nullptr;

    Window makeWindow(Window parent) { return XCreateSimpleWindow(m_display, parent, 10, 10, 200, 100, 1, 0, 0); }
    void setNetName(Window w, const QByteArray& utf8)
    {
        XChangeProperty(m_display, w, XInternAtom(m_display, "_NET_WM_NAME", False),
                        XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.constData()), utf8.size());
    }
    void setWmName(Window w, const QByteArray& latin1) { XStoreName(m_display, w, latin1.constData()); }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display (run under xvfb-run)");
        m_display = XOpenDisplay(nullptr);
        QVERIFY(m_display);
    }
    void cleanupTestCase()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    void findsExactTitleOnly()
    {
        const Window root = DefaultRootWindow(m_display);
        const Window progress = makeWindow(root); // a client straight under the root, as on a bare X server
        setWmName(progress, "Hotsync Progress");
        XMapWindow(m_display, progress);
        // A frame without a name holding a client, as a reparenting window manager builds it.
        const Window frame = makeWindow(root);
        const Window client = makeWindow(frame);
        setNetName(client, QStringLiteral("Crème brûlée").toUtf8());
        setWmName(client, "wrong legacy name");
        XSync(m_display, False);
        QtPlatform platform;
        for (const char* title : { "Hotsync Progress", "Crème brûlée" })
            QVERIFY2(platform.topLevelWindowExists(QString::fromUtf8(title)), title);
        for (const char* title : { "Hotsync Progress 2", "Hotsync", "hotsync progress", "wrong legacy name" })
            QVERIFY2(!platform.topLevelWindowExists(QString::fromUtf8(title)), title);
        XDestroyWindow(m_display, progress);
        XSync(m_display, False);
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("Hotsync Progress")));
        XDestroyWindow(m_display, frame);
        XSync(m_display, False);
    }

    void watchClosesTheMainWindow()
    {
        // The whole chain: the watch asks the X server, finds the conduit's window, saves and closes.
        ShellFolders folders;
        folders.writeStandardIni();
        // The real platform, but a copy of the program running elsewhere must not fail the test.
        struct UnlockedPlatform : QtPlatform
        {
            bool acquireSingleInstance(const QString&) override { return true; }
        } platform;
        Platform::setBackend(&platform);
        ScriptedDialogs dialogs;
        {
            Main main;
            Main::StartupOptions options;
            options.showSplash = false;
            QVERIFY(main.startUp(folders.programPath(), options));
            main.show();
            const Window progress = makeWindow(DefaultRootWindow(m_display));
            setWmName(progress, "Hotsync Progress");
            XSync(m_display, False);
            dialogs.answer(MsgAnswer::Ok);
            main.checkForHotsync();
            QVERIFY(main.hotsyncDetected());
            QVERIFY(main.exitCompleted());
            QCOMPARE(dialogs.last().title, QStringLiteral("Hotsync Detected"));
            XDestroyWindow(m_display, progress);
            XSync(m_display, False);
        }
        Platform::setBackend(nullptr);
        AppState::instance().reset();
    }
};

int main(int argc, char* argv[])
{
    // Without a display the toolkit cannot start on X11; the tests then skip instead of failing to start.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestX11Windows test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_x11windows.moc"
