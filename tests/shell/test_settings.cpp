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
    QString read(const char* section, const char* key) const
    {
        return Settings::read(ini(), QString::fromLatin1(section), QString::fromLatin1(key), QString());
    }

private slots:
    void init() { QFile::remove(ini()); }
    void cleanup() { AppState::instance().reset(); }

    void readsWhatIsThere_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        auto row
            = [](const char* name, const QByteArray& file, const char* section, const char* key, const char* expected) {
                  QTest::newRow(name) << file << QString::fromLatin1(section) << QString::fromLatin1(key)
                                      << QString::fromLatin1(expected);
              };
        const QByteArray typical
            = "[Main]\r\nInstallType=PPC\r\nDataPath=C:\\Palm\\User\\Zestora\\\r\n[Form]\r\nLeft=12\r\n";
        row("windows path kept as typed", typical, "Main", "DataPath", "C:\\Palm\\User\\Zestora\\");
        row("other section", typical, "Form", "Left", "12");
        row("missing key gives default", typical, "Form", "Top", "dflt");
        row("missing section gives default", typical, "Other", "Left", "dflt");
        row("no file gives default", QByteArray(), "Main", "DataPath", "dflt");
        row("empty file gives default", QByteArray(""), "Main", "DataPath", "dflt");
        row("garbage lines ignored",
            "\x01\x02 junk\r\n[Main\r\nno equals here\r\n[Main]\r\n=novalue\r\nDataPath=/data/\r\n", "Main", "DataPath",
            "/data/");
        row("lf line ends", "[Main]\nInstallType=Palm\n", "Main", "InstallType", "Palm");
        row("quotes are part of the value", "[Main]\r\nExportFile=\"a b\"\r\n", "Main", "ExportFile", "\"a b\"");
    }
    void readsWhatIsThere()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        if (!file.isNull())
            QVERIFY(TestData::writeFile(ini(), file));
        QCOMPARE(Settings::read(ini(), section, key, QStringLiteral("dflt")), expected);
    }

    void writeKeepsOtherKeysAndRoundTrips()
    {
        QVERIFY(!Settings::write(ini(), QStringLiteral("Main"), QStringLiteral("DataPath"), QStringLiteral("/d/")));
        QCOMPARE(read("Main", "DataPath"), QStringLiteral("/d/"));
        QVERIFY(TestData::writeFile(ini(), "; installer notes\r\n[Main]\r\nInstallType=PPC\r\n[Form]\r\nLeft=5\r\n"));
        const QString path = QStringLiteral("C:\\Documents and Settings\\Ann\\My Documents\\Zestora Backup\\");
        QVERIFY(!Settings::write(ini(), QStringLiteral("Main"), QStringLiteral("BackupPath"), path));
        QVERIFY(!Settings::write(ini(), QStringLiteral("Form"), QStringLiteral("Left"), QStringLiteral("40")));
        QVERIFY(!Settings::write(ini(), QStringLiteral("Extra"), QStringLiteral("Name"), QStringLiteral("Crème")));
        QCOMPARE(read("Main", "BackupPath"), path);
        QCOMPARE(read("Main", "InstallType"), QStringLiteral("PPC"));
        QCOMPARE(read("Form", "Left"), QStringLiteral("40"));
        QCOMPARE(read("Extra", "Name"), QStringLiteral("Crème"));
        const QByteArray bytes = TestData::readFile(ini());
        QVERIFY(bytes.contains("; installer notes"));
        QVERIFY(bytes.contains("BackupPath=" + path.toUtf8() + "\r\n"));
        QVERIFY(!bytes.contains("\r\r"));
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    }

    void writeEditsOneKeyAndKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        const QByteArray installer = "; Written by the installer\r\n[Main]\r\nInstallType = PPC\r\n"
                                     "DataPath=C:\\Old\\\r\n\r\n[Form]\r\nLeft=1\r\n";
        auto row = [](const char* name, const QByteArray& before, const char* section, const char* key,
                      const QByteArray& after) {
            QTest::newRow(name) << before << QString::fromLatin1(section) << QString::fromLatin1(key) << after;
        };
        row("value replaced in place", installer, "Main", "DataPath",
            QByteArray(installer).replace("C:\\Old\\", "/new/"));
        row("blanks around = kept", installer, "Main", "InstallType", QByteArray(installer).replace("PPC", "/new/"));
        row("key matched without case", installer, "main", "installtype",
            QByteArray(installer).replace("PPC", "/new/"));
        row("new key after the section's last key", installer, "Main", "BackupPath",
            QByteArray(installer).replace("Old\\\r\n", "Old\\\r\nBackupPath=/new/\r\n"));
        row("new section at the end", installer, "Extra", "Name", installer + "[Extra]\r\nName=/new/\r\n");
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
        QFETCH(QByteArray, after);
        if (!before.isNull())
            QVERIFY(TestData::writeFile(ini(), before));
        QVERIFY(!Settings::write(ini(), section, key, QStringLiteral("/new/")));
        QCOMPARE(TestData::readFile(ini()), after);
        QCOMPARE(Settings::read(ini(), section, key, QString()), QStringLiteral("/new/"));
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
        QCOMPARE(dialogs.last().buttons, MsgButtons::Ok);
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
        QTest::newRow("empty") << "" << false;
    }
    void fileExists()
    {
        QFETCH(QString, relative);
        QFETCH(bool, expected);
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
        TestData::writeFile(m_dir.filePath(QStringLiteral("data/ZestoDB.cdb")), "x");
        QCOMPARE(FileExists(relative.isEmpty() ? QString() : m_dir.filePath(relative)), expected);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
