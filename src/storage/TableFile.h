#pragma once

#include "base/AppError.h"
#include "storage/TableCatalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;
class Recordset;

// The table file format shared with the handheld's conduit: "#" header lines, then one record per line:
// REC_ID,STATUS,"value","value",... Windows-1252, CR LF.
namespace TableFile {

// The next physical line of a table file's bytes from pos, without its line end; moves pos past the line end.
// False at the end of the bytes. CR LF, LF and a lone CR each end a line, and so does CR CR LF (text that
// went through a CR LF conversion twice), so no record is merged with the next or keeps a stray CR.
bool nextLine(QByteArrayView bytes, qsizetype& pos, QByteArrayView& line);

// Adds REC_ID (10), STATUS (6) and the table's own fields to an empty recordset.
void defineFields(Recordset& rs, const TableDef& def);

// Reads the records of a whole file's bytes into rs (which has its fields defined); rs keeps the bytes and
// decodes each value when it is asked for. CR LF, LF and a lone CR each end a line. Never fails: lines it
// cannot make sense of are skipped or stored as far as they go.
void parse(const QByteArray& bytes, const TableDef& def, Recordset& rs);

// Splits one record's text into REC_ID, STATUS and the own fields and undoes the value escapes.
QVector<QString> splitRecord(const QString& text, const TableDef& def);
// The record line for a recipe or other record (values in REC_ID, STATUS, own field order), without CR LF.
QString recordLine(const QVector<QString>& values, const TableDef& def);

// The header of a table written from nothing, without a final line end.
QString headerFromNothing(int recordCount, int fieldCount, const QString& typeLetter = QStringLiteral("S"));

// Rebuilds the header from the header lines of an existing file's text (see RebuildHeader).
QString rebuildHeaderText(const QStringList& oldHeaderLines, int recordCount, int fieldCount,
                          const QString& typeLetter);

// Reads the leading "#" lines of a file; empty when the file is missing or unreadable.
QStringList readHeaderLines(const QString& path);

// Writes header, CR LF and every record (all of them, deleted ones included, in the sort order) to the device.
// Returns false when the device refuses a write.
bool writeTo(QIODevice& device, const QString& header, const Recordset& rs, const TableDef& def);

} // namespace TableFile

// The header text for a rewrite of the file at path, without a final line end: the old header lines kept in
// order with "#RECCNT:", "#SYNCMODE:" and "#FLDCNT:" patched, consecutive duplicates dropped and missing field
// declarations appended. A missing file, or one without any header line, gets the header written from nothing.
QString RebuildHeader(const QString& path, int recordCount, int fieldCount, const QString& typeLetter);

// Writes a whole table back to its file.
class TableWriter
{
public:
    // Writes through a temporary file that replaces the old file only when complete. On failure the old file
    // and the recordset are untouched and the error is returned.
    static std::optional<AppError> write(const Recordset& rs, const TableDef& def, const QString& path);
    // As write(); on failure reports through ShowError ("saving <file name>") and returns false.
    static bool save(const Recordset& rs, const TableDef& def, const QString& path);
};
