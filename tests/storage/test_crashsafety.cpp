#include "DataGenerator.h"
#include "TestData.h"
#include "TestPaths.h"

#include "storage/DataSource.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSaver = QStringLiteral(ZESTORA_BINARY_DIR "/tests/storage/crash_saver");
const QString kRecipes = QStringLiteral("ZestoDB.cdb");

QHash<QString, QByteArray> snapshot(const QString& folder)
{
    QHash<QString, QByteArray> files;
    for (const TableDef& def : TableCatalogue::all())
        files.insert(def.fileName, TestData::readFile(DataSource::tablePath(folder, def.id)));
    return files;
}

void copyFolder(const QString& from, const QString& to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files))
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
}

} // namespace

// A process killed while it writes the tables never leaves a table half-written: every file is either the
// old or the new version, byte for byte, and loads. The saving process stops itself at chosen moments.
class TestCrashSafety : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;
    QHash<QString, QByteArray> m_old, m_new;

    QString folder(const char* name) const { return QDir(m_root.path()).filePath(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!DataGenerator::writeFolder(folder("pristine"), 250).has_value());
        copyFolder(folder("pristine"), folder("expected"));
        QCOMPARE(QProcess::execute(kSaver, { folder("expected") }), 0);
        m_old = snapshot(folder("pristine"));
        m_new = snapshot(folder("expected"));
        for (auto it = m_old.begin(); it != m_old.end(); ++it)
            QVERIFY(it.value() != m_new.value(it.key()) && m_new.value(kRecipes).size() > 500000);
    }

    void killedSaveLeavesOldOrNewFiles_data()
    {
        QTest::addColumn<QString>("stopAt");
        QTest::addColumn<int>("newTables"); // the tables written completely before the kill
        QTest::newRow("before the first table") << "opening:" + kRecipes << 0;
        for (const qint64 bytes : { 1, 65536, 500000 })
            QTest::addRow("recipes at byte %lld", bytes) << QStringLiteral("wrote:%1:%2").arg(kRecipes).arg(bytes) << 0;
        QTest::newRow("recipes written, not renamed") << "wrote:" + kRecipes + ":-1" << 0;
        int n = 0;
        for (const TableDef& def : TableCatalogue::all())
            QTest::addRow("after %s", qPrintable(def.fileName)) << "renamed:" + def.fileName << ++n;
    }
    void killedSaveLeavesOldOrNewFiles()
    {
        QFETCH(QString, stopAt);
        QFETCH(int, newTables);
        if (stopAt.endsWith(QLatin1String(":-1")))
            stopAt.replace(QLatin1String(":-1"), QStringLiteral(":%1").arg(m_new.value(kRecipes).size()));
        const QString work = folder("work");
        copyFolder(folder("pristine"), work);
        QProcess saver;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZESTORA_STOP_AT"), stopAt);
        saver.setProcessEnvironment(env);
        saver.start(kSaver, { work });
        QVERIFY(saver.waitForFinished(60000) && saver.exitStatus() == QProcess::CrashExit);

        int newCount = 0;
        const auto now = snapshot(work);
        for (auto it = now.begin(); it != now.end(); ++it) {
            newCount += it.value() == m_new.value(it.key());
            QVERIFY2(it.value() == m_new.value(it.key()) || it.value() == m_old.value(it.key()), qPrintable(it.key()));
        }
        QCOMPARE(newCount, newTables);
        TestData::ThrowOnFatalLoad fatal;
        for (const TableDef& def : TableCatalogue::all())
            DataSource(def.id, DataSource::tablePath(work, def.id));
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crashsafety.moc"
