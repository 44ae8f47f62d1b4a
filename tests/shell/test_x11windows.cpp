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

    Window makeWindow(Window parent, const char* wmName)
    {
        const Window w = XCreateSimpleWindow(m_display, parent, 10, 10, 200, 100, 1, 0, 0);
        XStoreName(m_display, w, wmName);
        return w;
    }

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
        const Window progress = makeWindow(root, "Hotsync Progress"); // straight under the root: no window manager
        XMapWindow(m_display, progress);
        // A frame without a name holding a client, as a reparenting window manager builds it.
        const Window frame = makeWindow(root, "");
        const QByteArray utf8 = QStringLiteral("Crème brûlée").toUtf8();
        XChangeProperty(m_display, makeWindow(frame, "wrong legacy name"),
                        XInternAtom(m_display, "_NET_WM_NAME", False), XInternAtom(m_display, "UTF8_STRING", False), 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.constData()), utf8.size());
        XSync(m_display, False);
        QtPlatform platform;
        for (const char* title : { "Hotsync Progress", "Crème brûlée" })
            QVERIFY2(platform.topLevelWindowExists(QString::fromUtf8(title)), title);
        for (const char* title : { "Hotsync Progress 2", "Hotsync", "hotsync progress", "wrong legacy name" })
            QVERIFY2(!platform.topLevelWindowExists(QString::fromUtf8(title)), title);
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
