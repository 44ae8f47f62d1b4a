#include "ScriptedDialogs.h"
#include "TestData.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString ini() const { return m_dir.filePath(QStringLiteral("zestoraplus.ini")); }

private slots:
    void init() { QFile::remove(ini()); }
    void cleanup() { AppState::instance().reset(); }

    void readsWhatIsThere_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray typical = "[Main]\r\nInstallType=PPC\r\nDataPath=C:\\Palm\\Zestora\\\r\n[Form]\r\nTop=12\r\n";
        QTest::newRow("windows path kept as typed") << typical << "DataPath"
                                                    << "C:\\Palm\\Zestora\\";
        QTest::newRow("key of another section") << typical << "Top"
                                                << "dflt";
        QTest::newRow("no file") << QByteArray() << "DataPath"
                                 << "dflt";
        QTest::newRow("garbage lines ignored")
            << QByteArray("\x01\x02 junk\r\n[Main\r\nno equals here\r\n[Main]\r\n=novalue\r\nDataPath=/data/\r\n")
            << "DataPath"
            << "/data/";
        QTest::newRow("lf line ends") << QByteArray("[Main]\nInstallType=Palm\n") << "InstallType"
                                      << "Palm";
        QTest::newRow("quotes are part of the value") << QByteArray("[Main]\r\nX=\"a b\"\r\n") << "X"
                                                      << "\"a b\"";
    }
    void readsWhatIsThere()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        if (!file.isNull())
            QVERIFY(TestData::writeFile(ini(), file));
        QCOMPARE(Settings::read(ini(), QStringLiteral("Main"), key, QStringLiteral("dflt")), expected);
    }

    void writeEditsOneKeyAndKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const QByteArray installer = "; Written by the installer\r\n[Main]\r\nInstallType = PPC\r\n"
                                     "DataPath=C:\\Old\\\r\n\r\n[Form]\r\nLeft=1\r\n";
        auto row = [](const char* name, const QByteArray& before, const char* section, const char* key,
                      const QByteArray& after, const QString& value = QStringLiteral("/new/")) {
            QTest::newRow(name) << before << QString::fromLatin1(section) << QString::fromLatin1(key) << value << after;
        };
        row("value replaced in place", installer, "Main", "DataPath",
            QByteArray(installer).replace("C:\\Old\\", "/new/"));
        row("blanks around = kept, key matched without case", installer, "main", "installtype",
            QByteArray(installer).replace("PPC", "/new/"));
        row("new key after the section's last key", installer, "Main", "BackupPath",
            QByteArray(installer).replace("Old\\\r\n", "Old\\\r\nBackupPath=/new/\r\n"));
        row("new section at the end, UTF-8 value with blanks", installer, "Extra", "Name",
            installer + "[Extra]\r\nName=C:\\My Documents\\Cr\xc3\xa8me\r\n",
            QString::fromUtf8("C:\\My Documents\\Crème"));
        row("LF line ends kept", "[Main]\nA=1\n# note\n", "Main", "B", "[Main]\nA=1\nB=/new/\n# note\n");
        row("last line without line end", "[Main]\r\nA=1", "Main", "B", "[Main]\r\nA=1\r\nB=/new/\r\n");
        row("empty section gets its first key", "[Form]\r\n[Main]\r\n", "Form", "Top",
            "[Form]\r\nTop=/new/\r\n[Main]\r\n");
        row("no file", QByteArray(), "Main", "DataPath", "[Main]\r\nDataPath=/new/\r\n");
    }
    void writeEditsOneKeyAndKeepsEveryOtherByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (!before.isNull())
            QVERIFY(TestData::writeFile(ini(), before));
        QVERIFY(!Settings::write(ini(), section, key, value));
        QCOMPARE(TestData::readFile(ini()), after);
        QCOMPARE(Settings::read(ini(), section, key, QString()), value);
    }

    void readOnlyFileReportsAndStaysUnchanged_data()
    {
        QTest::addColumn<SafeFile::Fault>("fault");
        QTest::newRow("cannot be opened") << SafeFile::Fault::Open;
        QTest::newRow("cannot be replaced") << SafeFile::Fault::Rename;
    }
    void readOnlyFileReportsAndStaysUnchanged()
    {
        QFETCH(SafeFile::Fault, fault);
        QVERIFY(TestData::writeFile(ini(), "[Main]\r\nDataPath=/a/\r\n"));
        AppState::instance().settingsPath = ini();
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        {
            TestData::RefusedWrites refused(fault, QStringLiteral("zestoraplus.ini"));
            QVERIFY(!WriteSetting(QStringLiteral("Main"), QStringLiteral("DataPath"), QStringLiteral("/b/")));
        }
        QCOMPARE(dialogs.last().text, QStringLiteral("An error occurred while writing to the ini file."));
        QCOMPARE(ReadSetting(QStringLiteral("Main"), QStringLiteral("DataPath")), QStringLiteral("/a/"));
    }

    void fileExists_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("expected");
        QTest::newRow("file") << "data/ZestoDB.cdb" << true;
        QTest::newRow("folder with separator") << "data/" << true;
        QTest::newRow("missing") << "data/nothing.cdb" << false;
        QTest::newRow("pattern matching") << "data/*.cdb" << true;
        QTest::newRow("pattern matching nothing") << "data/*.bak" << false;
    }
    void fileExists()
    {
        QFETCH(QString, relative);
        QFETCH(bool, expected);
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
        TestData::writeFile(m_dir.filePath(QStringLiteral("data/ZestoDB.cdb")), "x");
        QCOMPARE(FileExists(m_dir.filePath(relative)), expected);
        QVERIFY(!FileExists(QString()));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
