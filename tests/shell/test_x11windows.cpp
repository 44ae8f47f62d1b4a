// Runs on a real X server (the test command starts one with xvfb-run).
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
        // A client straight under the root, as on a bare X server.
        const Window progress = makeWindow(root);
        setNetName(progress, "Hotsync Progress");
        setWmName(progress, "Hotsync Progress");
        XMapWindow(m_display, progress);
        // Only the old-style name.
        const Window legacy = makeWindow(root);
        setWmName(legacy, "Legacy Only");
        // A frame without a name holding a client, as a reparenting window manager builds it.
        const Window frame = makeWindow(root);
        const Window client = makeWindow(frame);
        setNetName(client, QStringLiteral("Crème brûlée").toUtf8());
        setWmName(client, "wrong legacy name");
        XSync(m_display, False);

        QtPlatform platform;
        QVERIFY(platform.topLevelWindowExists(QStringLiteral("Hotsync Progress")));
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("Hotsync Progress 2")));
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("Hotsync")));
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("hotsync progress")));
        QVERIFY(platform.topLevelWindowExists(QStringLiteral("Legacy Only")));
        QVERIFY(platform.topLevelWindowExists(QStringLiteral("Crème brûlée")));
        // _NET_WM_NAME wins over WM_NAME.
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("wrong legacy name")));

        XDestroyWindow(m_display, progress);
        XSync(m_display, False);
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("Hotsync Progress")));
        XDestroyWindow(m_display, legacy);
        XDestroyWindow(m_display, frame);
        XSync(m_display, False);
    }

    void findsToolkitWindow()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("the toolkit is not on X11");
        QWidget window;
        window.setWindowTitle(QStringLiteral("Hotsync Progress"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QtPlatform platform;
        QVERIFY(platform.topLevelWindowExists(QStringLiteral("Hotsync Progress")));
        QVERIFY(!platform.topLevelWindowExists(QStringLiteral("Hotsync Progress 2")));
    }
};

QTEST_MAIN(TestX11Windows)
#include "test_x11windows.moc"
