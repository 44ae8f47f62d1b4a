// The real program on a real X server (the test command starts one with xvfb-run), driven as a person drives
// it: real key presses and mouse clicks through xdotool, then the table file read back from the disk.
#include "storage/DataSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Generous bounds: every wait ends as soon as its condition holds.
constexpr int kWaitMs = 60000;

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

    QString m_xdotool;
    QProcess m_windowManager;
    QProcess m_program;
    bool m_managed = false; // a window manager runs on the display

    // Runs xdotool and returns its standard output; ok tells whether it ended in time with status 0.
    QString xdotool(const QStringList& args, bool* ok = nullptr, int timeoutMs = kWaitMs)
    {
        QProcess p;
        p.start(m_xdotool, args);
        const bool ended = p.waitForFinished(timeoutMs);
        if (!ended) {
            p.kill();
            p.waitForFinished();
        }
        if (ok)
            *ok = ended && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    void keys(const QStringList& names)
    {
        bool ok = false;
        xdotool(QStringList { QStringLiteral("key"), QStringLiteral("--clearmodifiers") } + names, &ok);
        QVERIFY2(ok, qPrintable(names.join(QLatin1Char(' '))));
    }
    void type(const QString& text)
    {
        bool ok = false;
        xdotool({ QStringLiteral("type"), QStringLiteral("--clearmodifiers"), text }, &ok);
        QVERIFY2(ok, qPrintable(text));
    }
    // Width and height of a window.
    QSize geometry(const QString& window)
    {
        const QStringList lines = xdotool({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window })
                                      .split(QLatin1Char('\n'));
        QSize size;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("WIDTH=")))
                size.setWidth(line.mid(6).toInt());
            else if (line.startsWith(QLatin1String("HEIGHT=")))
                size.setHeight(line.mid(7).toInt());
        }
        return size;
    }
    // The visible window of the program with this exact title and at least this width (the splash window
    // may carry the program's name too); empty when none appears within the bound.
    QString waitForWindow(const QString& title, int minimumWidth)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired() && m_program.state() == QProcess::Running) {
            bool ok = false;
            const QStringList found = xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$') },
                                              &ok, 5000)
                                          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            for (const QString& window : found) {
                if (geometry(window).width() >= minimumWidth)
                    return window;
            }
            QTest::qWait(100);
        }
        return QString();
    }
    // Clicks a point of the main window given in its design coordinates: an 800 x 560 area between a menu
    // bar and a status bar of about the same height, scaled with the window.
    void click(const QString& window, int designX, int designY)
    {
        const QSize size = geometry(window);
        const int bars = size.height() - 560;
        const int x = designX * size.width() / 800;
        const int y = bars / 2 + designY * (size.height() - bars) / 560;
        bool ok = false;
        xdotool({ QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
                  QString::number(y), QStringLiteral("click"), QStringLiteral("1") },
                &ok);
        QVERIFY(ok);
    }
    bool waitUntilGone(const QString& title)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            bool found = false;
            xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                      QLatin1Char('^') + title + QLatin1Char('$') },
                    &found, 5000);
            if (!found)
                return true;
            QTest::qWait(100);
        }
        return false;
    }
    void activate(const QString& window)
    {
        bool ok = false;
        xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), window }, &ok, 10000);
        if (!ok) // no window manager: give it the focus directly
            xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), window }, &ok, 10000);
        QVERIFY2(ok, "the window could not be activated");
    }

private slots:
    void initTestCase()
    {
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (m_xdotool.isEmpty())
            QSKIP("xdotool is not installed");
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run the tests under xvfb-run");
        // A window manager gives the windows the focus and closes them as on a desktop. When one already runs,
        // the one started here leaves at once.
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (!openbox.isEmpty())
            m_windowManager.start(openbox, { QStringLiteral("--sm-disable") });
        QDeadlineTimer deadline(openbox.isEmpty() ? 0 : kWaitMs);
        for (;;) {
            xdotool({ QStringLiteral("get_desktop") }, &m_managed, 5000);
            if (m_managed || deadline.hasExpired())
                break;
            QTest::qWait(100);
        }
    }
    void cleanupTestCase()
    {
        for (QProcess* p : { &m_program, &m_windowManager }) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished();
            }
        }
    }

    // A synchronised recipe gets a new ingredient line typed in the ingredient editor with completion,
    // Backspace and Enter; Save, then the window is closed; the recipe's line in the table file carries the new
    // ingredient and the status word "changed".
    void editIngredientSaveAndExit()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = dir.filePath(QStringLiteral("data"));
        const QString program = dir.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(dir.filePath(QStringLiteral("tmp"))));
        QCOMPARE(
            QProcess::execute(QStringLiteral(ZESTORA_CLI), { QStringLiteral("init"), QStringLiteral("--demo"), data }),
            0);
        {
            // As after a synchronisation: every recipe has its id and is unchanged.
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
        QVERIFY(QFile::copy(QStringLiteral(ZESTORA_GUI), program + QStringLiteral("/zestoraplus")));
        QFile ini(program + QStringLiteral("/zestoraplus.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nInstallType=Palm\r\nDataPath=" + QDir::toNativeSeparators(data).toUtf8() + "/\r\n");
        ini.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp"))); // its own single-copy lock
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(program + QStringLiteral("/zestoraplus"), {});
        QVERIFY(m_program.waitForStarted());

        const QString main = waitForWindow(QStringLiteral("Zestora Plus"), 700);
        QVERIFY2(!main.isEmpty(), "the main window did not appear");
        activate(main);
        click(main, 762 + 15, 56 + 14); // the ingredient editor's button, right of the ingredient grid
        const QString editor = waitForWindow(QStringLiteral("Edit Ingredients"), 100);
        QVERIFY2(!editor.isEmpty(), "the ingredient editor did not open");
        activate(editor);

        // Qty "2" completes to "2/3" and Delete leaves the typed "2"; Enter. Unit "c" completes to "can" and
        // Backspace leaves the typed "c"; Enter. Item "suga" completes to "sugar"; Enter adds the line. OK.
        keys({ QStringLiteral("alt+q") });
        type(QStringLiteral("2"));
        keys({ QStringLiteral("Delete"), QStringLiteral("Return") });
        type(QStringLiteral("c"));
        keys({ QStringLiteral("BackSpace"), QStringLiteral("Return") });
        type(QStringLiteral("suga"));
        keys({ QStringLiteral("Return"), QStringLiteral("alt+o") });
        QVERIFY2(waitUntilGone(QStringLiteral("Edit Ingredients")), "the ingredient editor did not close");

        // Save (a click acts at once), then close the window, which writes the tables and ends the program.
        click(main, 8 + 59, 524 + 14);
        if (m_managed)
            keys({ QStringLiteral("alt+F4") });
        else
            keys({ QStringLiteral("alt+f"), QStringLiteral("x") });
        QVERIFY2(m_program.waitForFinished(kWaitMs), "the program did not end");
        QCOMPARE(m_program.exitCode(), 0);

        QFile table(DataSource::tablePath(data, TableDef::Recipes));
        QVERIFY(table.open(QIODevice::ReadOnly));
        // One record, the edited one, is marked changed; its first line holds the new ingredient line.
        const QRegularExpression changedRecord(QStringLiteral("^0x[0-9a-f]{8},0x0004,"));
        QStringList changed;
        for (const QByteArray& line : table.readAll().split('\n')) {
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
