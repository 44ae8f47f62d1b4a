// The real program under xvfb-run driven through xdotool, then the table file read back from the disk.
#include "TestData.h"
#include "storage/DataSource.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

constexpr int kWaitMs = 60000; // generous: every wait ends as soon as its condition holds

class TestEndToEnd : public QObject
{
    Q_OBJECT

    QString m_xdotool;
    QProcess m_windowManager;
    QProcess m_program;
    bool m_managed = false; // a window manager runs on the display

    QString xdotool(const QStringList& args, bool* ok = nullptr, int timeoutMs = kWaitMs)
    {
        QProcess p;
        p.start(m_xdotool, args);
        const bool ended = p.waitForFinished(timeoutMs) || (p.kill(), p.waitForFinished(), false);
        if (ok)
            *ok = ended && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    void send(const QStringList& args)
    {
        bool ok = false;
        xdotool(QStringList { args.first(), "--clearmodifiers" } + args.mid(1), &ok);
        QVERIFY2(ok, qPrintable(args.join(QLatin1Char(' '))));
    }
    QSize geometry(const QString& window)
    {
        const QString shell = xdotool({ "getwindowgeometry", "--shell", window });
        const QRegularExpression w("WIDTH=(\\d+)"), h("HEIGHT=(\\d+)");
        return QSize(w.match(shell).captured(1).toInt(), h.match(shell).captured(1).toInt());
    }
    // The visible windows with this exact title and at least this width (the splash carries the name too).
    QStringList windows(const QString& title, int minimumWidth = 0)
    {
        QStringList found;
        for (const QString& w : xdotool({ "search", "--onlyvisible", "--name", '^' + title + '$' }, nullptr, 5000)
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            found << (geometry(w).width() >= minimumWidth ? QStringList { w } : QStringList());
        return found;
    }
    QString waitForWindow(const QString& title, int minimumWidth)
    {
        for (QDeadlineTimer deadline(kWaitMs); !deadline.hasExpired() && m_program.state() == QProcess::Running;
             QTest::qWait(100)) {
            if (const QStringList found = windows(title, minimumWidth); !found.isEmpty())
                return found.first();
        }
        return QString();
    }
    // Clicks a point given in the main window's design coordinates: an 800 x 560 area between a menu bar and a
    // status bar of about the same height, scaled with the window.
    void click(const QString& window, int designX, int designY)
    {
        const QSize size = geometry(window);
        const int bars = size.height() - 560;
        send({ "mousemove", "--window", window, QString::number(designX * size.width() / 800),
               QString::number(bars / 2 + designY * (size.height() - bars) / 560), "click", "1" });
    }
    void activate(const QString& window)
    {
        bool ok = false;
        xdotool({ "windowactivate", "--sync", window }, &ok, 10000);
        if (!ok) // no window manager: give it the focus directly
            xdotool({ "windowfocus", "--sync", window }, &ok, 10000);
        QVERIFY2(ok, "the window could not be activated");
    }

private slots:
    void initTestCase()
    {
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (m_xdotool.isEmpty())
            QSKIP("xdotool is not installed");
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run the tests under xvfb-run");
        // A window manager gives focus and closes windows as on a desktop (a second one leaves at once).
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (!openbox.isEmpty())
            m_windowManager.start(openbox, { QStringLiteral("--sm-disable") });
        QDeadlineTimer deadline(openbox.isEmpty() ? 0 : kWaitMs);
        while (xdotool({ "get_desktop" }, &m_managed, 5000), !m_managed && !deadline.hasExpired())
            QTest::qWait(100);
    }
    void cleanupTestCase()
    {
        for (QProcess* p : { &m_program, &m_windowManager })
            p->kill(), p->waitForFinished();
    }

    void editIngredientSaveAndExit()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath("data"), program = dir.filePath("program");
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(dir.filePath("tmp")));
        QCOMPARE(QProcess::execute(ZESTORA_CLI, { "init", "--demo", data }), 0);
        { // as after a synchronisation: every recipe has its id and is unchanged
            DataSource1 recipes(DataSource::tablePath(data, TableDef::Recipes));
            Recordset& rs = recipes.recordset();
            int id = 0x101;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                rs.setValue(QStringLiteral("REC_ID"), QStringLiteral("0x%1").arg(id++, 8, 16, QLatin1Char('0')));
                rs.setValue(QStringLiteral("STATUS"), QStringLiteral("0x0000"));
                rs.update();
            }
            QVERIFY(recipes.save());
        }
        QVERIFY(QFile::copy(ZESTORA_GUI, program + "/zestoraplus"));
        QVERIFY(TestData::writeFile(program + "/zestoraplus.ini",
                                    "[Main]\r\nInstallType=Palm\r\nDataPath=" + data.toUtf8() + "/\r\n"));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TMPDIR", dir.filePath("tmp")); // its own single-copy lock
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(program + "/zestoraplus", {});
        QVERIFY(m_program.waitForStarted());

        const QString main = waitForWindow(QStringLiteral("Zestora Plus"), 700);
        QVERIFY2(!main.isEmpty(), "the main window did not appear");
        activate(main);
        click(main, 762 + 15, 56 + 14); // the ingredient editor's button, right of the ingredient grid
        const QString editor = waitForWindow(QStringLiteral("Edit Ingredients"), 100);
        QVERIFY2(!editor.isEmpty(), "the ingredient editor did not open");
        activate(editor);

        for (const char* step : { "key alt+q", "type 2", "key Delete Return", "type c", "key BackSpace Return",
                                  "type suga", "key Return alt+o" })
            send(QString::fromLatin1(step).split(QLatin1Char(' ')));
        for (QDeadlineTimer closing(kWaitMs); !windows("Edit Ingredients").isEmpty() && !closing.hasExpired();)
            QTest::qWait(100);
        QVERIFY2(windows(QStringLiteral("Edit Ingredients")).isEmpty(), "the ingredient editor did not close");

        activate(main); // the window manager may leave no window active when the editor closes
        click(main, 8 + 59, 524 + 14);
        send(m_managed ? QStringList { "key", "alt+F4" } : QStringList { "key", "alt+f", "x" });
        QVERIFY2(m_program.waitForFinished(kWaitMs), "the program did not end");
        QCOMPARE(m_program.exitCode(), 0);

        const QRegularExpression changedRecord(QStringLiteral("^0x[0-9a-f]{8},0x0004,"));
        QStringList changed;
        for (const QByteArray& line : TestData::readFile(DataSource::tablePath(data, TableDef::Recipes)).split('\n')) {
            QVERIFY2(line.isEmpty() || line.endsWith('\r'), "a line without CR LF");
            if (changedRecord.match(QString::fromLatin1(line)).hasMatch())
                changed << QString::fromLatin1(line);
        }
        QCOMPARE(changed.size(), 1);
        QVERIFY2(changed.first().contains(QStringLiteral("~2|c|sugar~\"")), qPrintable(changed.first()));
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "test_endtoend.moc"
