// Every path that writes a file, failed on purpose at many points: the previous file stays byte for byte,
// no temporary file is left behind, and the failure is reported to the caller.
#include "TestData.h"

#include "handheld/BackupRestore.h"
#include "interchange/PlainTextExports.h"
#include "interchange/RecipeExporter.h"
#include "printing/ReportDocument.h"
#include "printing/RtfWriter.h"
#include "shell/Preferences.h"
#include "shell/Settings.h"
#include "storage/SafeFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// Writes something new to path; true when the writer reports success.
using Writer = std::function<bool(const QString& path)>;

QVector<RecipeRecord> someRecipes()
{
    RecipeRecord r;
    r.name = QStringLiteral("Beef Stew");
    r.ingredients = QStringLiteral("2|lb|beef~1|cup|stock~");
    r.instructions = QString(QStringLiteral("Brown the beef. Simmer two hours.\r\n")).repeated(20);
    return { r, r };
}

} // namespace

Q_DECLARE_METATYPE(Writer)

class TestFaultInjection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { SafeFile::setFaultAfterBytes(-1); }

    void failedWriteKeepsThePreviousFile_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<QByteArray>("previous");
        const QByteArray table
            = TestData::crlfLines({ "#CDBID: CASL", "#FLDCNT: 2", "#RECCNT: 2", "0x00000001,0x0000,\"serves\",\"4\"",
                                    "0x00000002,0x0000,\"serves\",\"6\"" });
        QTest::newRow("preference clean-up")
            << Writer([](const QString& path) { return CleanPreferenceFile(path); }) << table;
        QTest::newRow("settings") << Writer([](const QString& path) {
            return !Settings::write(path, QStringLiteral("Main"), QStringLiteral("BackupPath"),
                                    QStringLiteral("C:\\Backups\\Zestora\\"))
                        .has_value();
        }) << QByteArray("[Main]\r\nInstallType=PPC\r\nDataPath=/data/\r\n");
        QTest::newRow("import copy") << Writer([](const QString& path) {
            QString cdb = path;
            cdb.replace(QLatin1String(".cdi"), QLatin1String(".cdb"));
            TestData::writeFile(cdb, QByteArray(2000, 'x') + "\r\n0x00000001,0x0004,\"a\"\r\n");
            return !BackupRestore::MakeImportCopy(cdb).has_value();
        }) << QByteArray("#old import copy\r\n");
        for (auto layout : { ExportLayout::MealMaster, ExportLayout::MasterCook, ExportLayout::JsonLd })
            QTest::addRow("export %d", int(layout)) << Writer([layout](const QString& path) {
                return RecipeExporter::exportToFile(path, layout, someRecipes(), {}).ok;
            }) << QByteArray("an earlier export\r\n");
        QTest::newRow("SplashShopper file") << Writer([](const QString& path) {
            return PlainTextExports::writeTextFile(path, QString(QStringLiteral("1\tcup\tflour\r\n")).repeated(100))
                .isEmpty();
        }) << QByteArray("old list\r\n");
        QTest::newRow("report.rtf") << Writer([](const QString& path) {
            ReportDocument doc;
            doc.startDoc();
            for (int i = 0; i < 50; ++i)
                doc.paragraph(QStringLiteral("Paragraph %1 of the report").arg(i));
            doc.endDoc();
            return !RtfWriter().writeFile(doc, path).has_value();
        }) << QByteArray("{\\rtf1 old}");
    }

    void failedWriteKeepsThePreviousFile()
    {
        QFETCH(Writer, writer);
        QFETCH(QByteArray, previous);
        QTemporaryDir dir;
        const QString name = QString::fromUtf8(QTest::currentDataTag()).contains(QLatin1String("import copy"))
            ? QStringLiteral("ZestoDB.cdi")
            : QStringLiteral("ZestoPrefs.cdb");
        const QString path = dir.filePath(name);
        TestData::writeFile(path, previous);
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);

        for (qint64 limit : { 0, 1, 16, 40 }) {
            SafeFile::setFaultAfterBytes(limit);
            const bool ok = writer(path);
            SafeFile::setFaultAfterBytes(-1);
            QVERIFY2(!ok, qPrintable(QStringLiteral("a write failing after %1 bytes was reported as done").arg(limit)));
            QCOMPARE(TestData::readFile(path), previous);
            QStringList now = QDir(dir.path()).entryList(QDir::Files);
            now.removeAll(QStringLiteral("ZestoDB.cdb")); // the import copy's source
            QCOMPARE(now, before);
        }
        // Without the fault the same write goes through.
        QVERIFY(writer(path));
        QVERIFY(TestData::readFile(path) != previous);
    }
};

QTEST_GUILESS_MAIN(TestFaultInjection)
#include "test_faultinjection.moc"
