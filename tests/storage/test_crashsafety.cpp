#include "TestData.h"
#include "TestPaths.h"

#include "storage/DataSource.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

namespace {

const QString kSaver = QStringLiteral(ZESTORA_BINARY_DIR "/tests/storage/crash_saver");
const QString kGenerator = QStringLiteral(ZESTORA_BINARY_DIR "/bench/zestora_gendata");

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
// old or the new version, byte for byte, and loads.
class TestCrashSafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedSaveLeavesOldOrNewFiles()
    {
        const int runs = qEnvironmentVariableIntValue("ZESTORA_CRASH_RUNS") > 0
            ? qEnvironmentVariableIntValue("ZESTORA_CRASH_RUNS")
            : 200;
        QTemporaryDir root;
        const QString pristine = QDir(root.path()).filePath(QStringLiteral("pristine"));
        const QString expected = QDir(root.path()).filePath(QStringLiteral("expected"));
        const QString work = QDir(root.path()).filePath(QStringLiteral("work"));
        QCOMPARE(QProcess::execute(kGenerator, { pristine, QStringLiteral("1000") }), 0);

        // The new version: one uninterrupted run.
        copyFolder(pristine, expected);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QProcess::execute(kSaver, { expected }), 0);
        const qint64 fullRunMs = std::max<qint64>(timer.elapsed(), 20);
        const auto oldFiles = snapshot(pristine);
        const auto newFiles = snapshot(expected);
        for (auto it = oldFiles.begin(); it != oldFiles.end(); ++it)
            QVERIFY(it.value() != newFiles.value(it.key()));

        QRandomGenerator rng(20261206);
        int killedMidway = 0;
        int mixed = 0; // runs that ended with some tables written and some not: killed inside the save
        for (int run = 0; run < runs; ++run) {
            copyFolder(pristine, work);
            QProcess saver;
            saver.start(kSaver, { work });
            QVERIFY(saver.waitForStarted());
            QThread::usleep(rng.bounded(static_cast<quint32>(fullRunMs * 1000)));
            if (saver.state() == QProcess::Running) {
                ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
                ++killedMidway;
            }
            saver.waitForFinished();

            const auto now = snapshot(work);
            int newCount = 0;
            for (auto it = now.begin(); it != now.end(); ++it) {
                const bool isOld = it.value() == oldFiles.value(it.key());
                const bool isNew = it.value() == newFiles.value(it.key());
                QVERIFY2(isOld || isNew,
                         qPrintable(QStringLiteral("run %1: %2 is neither version").arg(run).arg(it.key())));
                newCount += isNew ? 1 : 0;
            }
            mixed += newCount > 0 && newCount < now.size() ? 1 : 0;
            // Every table loads.
            TestData::ThrowOnFatalLoad fatal;
            for (const TableDef& def : TableCatalogue::all())
                DataSource(def.id, DataSource::tablePath(work, def.id));
        }
        qInfo("%d runs, %d killed before the end, %d of them part-way through the tables (full run %lld ms)", runs,
              killedMidway, mixed, static_cast<long long>(fullRunMs));
        QVERIFY(killedMidway > runs / 2);
        QVERIFY(mixed > runs / 20);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crashsafety.moc"
