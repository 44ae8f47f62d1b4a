#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

#include <QTest>

namespace {

const QString kHeld = QStringLiteral("0x12345678");

// A table of two records: the held one (id kHeld, the given status), current, and one after it.
void fill(Recordset& rs, const QString& status)
{
    for (const char* field : { "REC_ID", "STATUS", "Key" })
        rs.appendField(QString::fromLatin1(field), 10);
    rs.appendRecord({ kHeld, status, QStringLiteral("held") });
    rs.appendRecord({ QStringLiteral("0x00000009"), RecordStatus::Unchanged, QStringLiteral("next") });
    rs.moveFirst();
}

// The status of the held record, or "gone".
QString heldStatus(Recordset& rs)
{
    rs.setFilter(QString());
    rs.moveFirst();
    return rs.find(QStringLiteral("REC_ID = '") + kHeld + QLatin1Char('\'')) ? rs.value(1) : QStringLiteral("gone");
}

} // namespace

class TestRecordStatus : public QObject
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("after"); // the held record's status afterwards, or "gone"
        QTest::addColumn<QString>("current"); // id and status of the current record afterwards
        QTest::addColumn<int>("records");

        const QString u = RecordStatus::Unchanged, d = RecordStatus::Deleted, c = RecordStatus::Changed,
                      n = RecordStatus::New;
        const QString held = kHeld + QLatin1Char(',');
        const QString fresh = RecordStatus::NewId + QLatin1Char(',') + n;
        QTest::newRow("add") << "addNew" << u << u << fresh << 3;
        QTest::newRow("change synchronised") << "markChanged" << u << c << held + c << 2;
        QTest::newRow("change changed") << "markChanged" << c << c << held + c << 2;
        QTest::newRow("change new keeps new") << "markChanged" << n << n << held + n << 2;
        QTest::newRow("change deleted keeps deleted") << "markChanged" << d << d << held + d << 2;
        QTest::newRow("delete new removes") << "markDeleted" << n << "gone"
                                            << "0x00000009," + u << 1;
        QTest::newRow("delete synchronised marks") << "markDeleted" << u << d << held + d << 2;
        QTest::newRow("delete changed marks") << "markDeleted" << c << d << held + d << 2;
        QTest::newRow("update same key, synchronised") << "updateKept" << u << c << held + c << 2;
        QTest::newRow("update same key, new") << "updateKept" << n << c << held + c << 2;
        QTest::newRow("rekey synchronised") << "updateRekeyed" << u << d << fresh << 3;
        QTest::newRow("rekey new") << "updateRekeyed" << n << "gone" << fresh << 2;
        QTest::newRow("delete all") << "markAllDeleted" << n << "gone"
                                    << "end" << 1;
    }

    void rules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, status);
        QFETCH(QString, after);
        QFETCH(QString, current);
        QFETCH(int, records);
        Recordset rs;
        fill(rs, status);
        if (rule == "addNew")
            RecordStatus::addNew(rs);
        else if (rule == "markChanged")
            RecordStatus::markChanged(rs);
        else if (rule == "markDeleted")
            QCOMPARE(RecordStatus::markDeleted(rs), after == "gone");
        else if (rule == "markAllDeleted")
            RecordStatus::markAllDeleted(rs);
        else
            RecordStatus::updateEntry(rs, rule == "updateRekeyed");
        QCOMPARE(rs.eof() ? QStringLiteral("end") : rs.value(0) + QLatin1Char(',') + rs.value(1), current);
        QCOMPARE(rs.totalRecordCount(), records);
        QCOMPARE(heldStatus(rs), after);
        if (rule == "markAllDeleted") {
            rs.moveLast();
            QCOMPARE(rs.value(1), RecordStatus::Deleted);
        }
    }

    void changedInPlace_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("written");
        QTest::newRow("synchronised") << RecordStatus::Unchanged << RecordStatus::Changed;
        QTest::newRow("changed") << RecordStatus::Changed << RecordStatus::Changed;
        QTest::newRow("new stays new") << RecordStatus::New << RecordStatus::New;
        QTest::newRow("deleted stays deleted") << RecordStatus::Deleted << RecordStatus::Deleted;
        QTest::newRow("odd spelling of new") << "0X0008"
                                             << "0X0008";
        QTest::newRow("unknown word") << "0x0001" << RecordStatus::Changed;
    }

    void changedInPlace()
    {
        QFETCH(QString, status);
        QFETCH(QString, written);
        QCOMPARE(RecordStatus::changedInPlace(status), written);
    }

    void importCopyLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("copy");
        QTest::newRow("changed") << QByteArray("0x1234abcd,0x0004,\"a\"") << QByteArray("0x00000000,0x0000,\"a\"");
        QTest::newRow("deleted") << QByteArray("0x1234abcd,0x0002,\"a\"") << QByteArray("0x00000000,0x0002,\"a\"");
        QTest::newRow("word in a value") << QByteArray("0x1234abcd,0x0000,\"0x0002\"")
                                         << QByteArray("0x00000000,0x0002,\"0x0002\"");
        QTest::newRow("short line") << QByteArray("0x00000001,0x") << QByteArray("0x00000000,0x0000");
    }

    void importCopyLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, copy);
        QCOMPARE(RecordStatus::importCopyLine(line), copy);
    }
};

QTEST_GUILESS_MAIN(TestRecordStatus)
#include "test_recordstatus.moc"
