#include "ScriptedDialogs.h"
#include "TestData.h"
#include "shell/AppState.h"
#include "shell/Preferences.h"
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

    void readsWhatIsThere()
    {
        auto read = [this](const char* key) { return Settings::read(ini(), "Main", key, "dflt"); };
        QCOMPARE(read("DataPath"), QStringLiteral("dflt")); // no file
        QVERIFY(TestData::writeFile(ini(),
                                    "\x01\x02 junk\r\n[Main\r\nno equals here\r\n[Main]\r\n=novalue\r\n"
                                    "DataPath=C:\\Palm\\Zestora\\\r\nX=\"a b\"\r\n[Form]\r\nTop=12\r\n"));
        QCOMPARE(QStringList({ read("DataPath"), read("X"), read("Top") }),
                 QStringList({ "C:\\Palm\\Zestora\\", "\"a b\"", "dflt" }));
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

    void fileExists()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
        TestData::writeFile(m_dir.filePath(QStringLiteral("data/ZestoDB.cdb")), "x");
        QList<bool> found;
        for (const char* name : { "data/ZestoDB.cdb", "data/", "data/nothing.cdb", "data/*.cdb", "data/*.bak" })
            found << FileExists(m_dir.filePath(QString::fromLatin1(name)));
        QCOMPARE(found, (QList<bool> { true, true, false, true, false }));
        QVERIFY(!FileExists(QString()));
    }

    void savedThroughTheHeldTable()
    {
        TestData::DataFolderFixture data;
        AppState& state = AppState::instance();
        state.dataPath = data.path() + QLatin1Char('/');
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        SetPreference(QStringLiteral("equivalents"), QString(), QStringLiteral("1 cup = 16 tbsp\\n1 tbsp = 3 tsp"));
        QVERIFY(SavePreferences());
        const QByteArray bytes = data.readBytes(TableDef::Preferences);
        QVERIFY(bytes.contains("0x00000000,0x0008,\"equivalents\",\"1 cup = 16 tbsp\\n1 tbsp = 3 tsp\"\r\n"));
        QCOMPARE(state.preference(QStringLiteral("equivalents")), QStringLiteral("1 cup = 16 tbsp\\n1 tbsp = 3 tsp"));
        // A clean file is left as it is.
        QVERIFY(CleanPreferenceFile(data.file(TableDef::Preferences)));
        QCOMPARE(data.readBytes(TableDef::Preferences), bytes);
    }

    void cleanText()
    {
        // Short lines go; of live records with the same key (compared exactly) the first stays and the others are
        // marked deleted in their status field only.
        const QString h = QStringLiteral("#RECCNT:4\r\n#FLDCNT:2\r\n");
        QStringList lines { "0x1,0x0000,\"serves\",\"4\"",
                            "0x2,0x0004,\"serves\",\"6\"",
                            "0x3,0x0002,\"serves\",\"8\"",
                            "0x4,0x0008,\"serves\",\"2\"",
                            "0x5,0x0000,\"Serves\",\"6\"",
                            "0x6,0x0000,\"equivalents\",\"a,0x0004,b\"",
                            "0x7,0x0004,\"equivalents\",\"x,0x0000,y\"" };
        const QString before = h + "abc\r\n" + lines.join("\r\n") + "\r\n\r\n";
        for (int i : { 1, 3, 6 })
            lines[i].replace(4, 6, "0x0002");
        QCOMPARE(cleanPreferenceText(before), h + lines.join("\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
