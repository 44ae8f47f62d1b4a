#include "storage/RecordStatus.h"

#include "storage/Recordset.h"

namespace {
constexpr int kId = 0;
constexpr int kStatus = 1;
} // namespace

void RecordStatus::addNew(Recordset& rs)
{
    rs.addNew();
    rs.setValue(kId, NewId);
    rs.setValue(kStatus, New);
}

void RecordStatus::markChanged(Recordset& rs)
{
    if (rs.value(kStatus) == Unchanged)
        rs.setValue(kStatus, Changed);
}

QString RecordStatus::changedInPlace(const QString& status)
{
    // Compared by the digits, as the recipe window always has, so an odd spelling of those words stays too.
    if (status.contains(QStringView(New).mid(2)) || status.contains(QStringView(Deleted).mid(2)))
        return status;
    return Changed;
}

bool RecordStatus::markDeleted(Recordset& rs)
{
    if (rs.value(kStatus) == New) {
        rs.deleteCurrent();
        return true;
    }
    rs.setValue(kStatus, Deleted);
    return false;
}

void RecordStatus::markAllDeleted(Recordset& rs)
{
    rs.moveFirst();
    while (!rs.eof()) {
        if (!markDeleted(rs))
            rs.moveNext();
    }
}

void RecordStatus::updateEntry(Recordset& rs, bool keyChanged)
{
    if (keyChanged) {
        markDeleted(rs);
        addNew(rs);
    } else {
        rs.setValue(kStatus, Changed);
    }
}

QByteArray RecordStatus::importCopyLine(QByteArrayView line)
{
    static const QByteArray deleted = Deleted.toLatin1();
    static const QByteArray deletedPrefix = (NewId + QLatin1Char(',') + Deleted).toLatin1();
    static const QByteArray unchangedPrefix = (NewId + QLatin1Char(',') + Unchanged).toLatin1();
    QByteArray out = line.indexOf(deleted, 10) >= 0 ? deletedPrefix : unchangedPrefix;
    if (line.size() > 17)
        out.append(line.sliced(17));
    return out;
}
