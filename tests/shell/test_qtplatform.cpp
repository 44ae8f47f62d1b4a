#include "shell/ui/QtPlatform.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

class TestQtPlatform : public QObject
{
    Q_OBJECT
private slots:
    void singleInstanceLock()
    {
        const QString key = QStringLiteral("zestoraplus-test-%1").arg(QCoreApplication::applicationPid());
        {
            QtPlatform first;
            QVERIFY(first.acquireSingleInstance(key));
            QVERIFY(first.acquireSingleInstance(key)); // asking again keeps the lock
            // The lock is per process: another process is refused while this one holds it.
            QLockFile other(QtPlatform::lockPath(key));
            QVERIFY(!other.tryLock(0));
        }
        // Released with its owner.
        QtPlatform second;
        QVERIFY(second.acquireSingleInstance(key));
    }

    void runAndWaitReportsExitCode()
    {
        QtPlatform platform;
        QCOMPARE(platform.runAndWait(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("exit 3") }), 3);
        QCOMPARE(platform.runAndWait(QStringLiteral("/nonexistent/tool.exe"), {}), -1);
    }

    void busyPointerNests()
    {
        QtPlatform platform;
        platform.setBusy(true);
        platform.setBusy(true);
        QVERIFY(QGuiApplication::overrideCursor());
        platform.setBusy(false);
        platform.setBusy(false);
        QVERIFY(!QGuiApplication::overrideCursor());
        platform.setBusy(false); // an extra clear is harmless
    }
};

QTEST_MAIN(TestQtPlatform)
#include "test_qtplatform.moc"
