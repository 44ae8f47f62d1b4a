#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class Recordset;

// Record ids and status words as the handheld's conduit reads them, and the rules by which every writer of
// every table sets them. These words are written nowhere else. The helpers work on the current record of a
// recordset whose first two fields are REC_ID and STATUS, as every table's are.
namespace RecordStatus {
inline const QString Unchanged = QStringLiteral("0x0000");
inline const QString Deleted = QStringLiteral("0x0002");
inline const QString Changed = QStringLiteral("0x0004");
inline const QString New = QStringLiteral("0x0008");
inline const QString NewId = QStringLiteral("0x00000000");
// Filter that hides deleted records, used by every view.
inline const QString LiveFilter = QStringLiteral("STATUS <> '0x0002'");

// Adds a record with id "0x00000000" and status "0x0008"; it becomes current.
void addNew(Recordset& rs);
// Marks the current record changed: "0x0000" becomes "0x0004"; other statuses stay (preferences).
void markChanged(Recordset& rs);
// The status of a recipe written in place by the recipe window: "0x0004", unless status is a new ("0x0008")
// or deleted ("0x0002") word, which stays.
QString changedInPlace(const QString& status);
// Deletes the current record for the conduit: a record still "0x0008" is removed outright (the record after
// it becomes current) and true is returned; any other gets "0x0002", stays current and in the table.
bool markDeleted(Recordset& rs);
// Deletes every record of the view under markDeleted, from the first; the position ends past the end.
void markAllDeleted(Recordset& rs);
// The update of a list entry (master lists, shopping list, menu planner) whose key may change. Key kept:
// the current record stays and becomes "0x0004" whatever its status. Key changed: the current record is
// deleted under markDeleted and a new record (addNew) takes its place as the current one. Either way the
// caller then writes the entry's fields into the current record.
void updateEntry(Recordset& rs, bool keyChanged);

// A record line as a handheld import copy holds it: the id and status (its first 17 characters) become
// "0x00000000,0x0002" when "0x0002" occurs anywhere from the 11th character on, else "0x00000000,0x0000".
QByteArray importCopyLine(QByteArrayView line);
} // namespace RecordStatus
