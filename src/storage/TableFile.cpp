#include "storage/TableFile.h"

#include "shell/ShowError.h"
#include "storage/Cp1252.h"
#include "storage/Recordset.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kQuote = QStringLiteral("\"");
const QString kDoubleQuote = QStringLiteral("\"\"");
const QString kFieldSep = QStringLiteral("\",\"");
const QString kStatusSep = QStringLiteral(",\"");
const QString kEscapedBreak = QStringLiteral("\\n");

QString unescape(QString value, const FieldDef& field)
{
    if (field.escapeLineBreaks && value.contains(kEscapedBreak))
        value.replace(kEscapedBreak, CRLF);
    if (!field.rawQuotes && value.contains(kDoubleQuote))
        value.replace(kDoubleQuote, kQuote);
    return value;
}

QString escape(const QString& value, const FieldDef& field)
{
    QString out = value;
    if (field.escapeLineBreaks && out.contains(QLatin1Char('\n'))) {
        out.replace(CRLF, kEscapedBreak);
        // A bare LF would break the record over two lines and be lost on reading; keep it as a line break.
        out.replace(QLatin1Char('\n'), kEscapedBreak);
    }
    if (!field.rawQuotes && out.contains(QLatin1Char('"')))
        out.replace(kQuote, kDoubleQuote);
    return out;
}

// The number in characters 9 and 10 of a header line; non-digits end it, no digits give 0.
int declaredFieldNumber(const QString& line)
{
    int n = 0;
    for (int i = 8; i < 10 && i < line.size(); ++i) {
        if (!line.at(i).isDigit())
            break;
        n = n * 10 + line.at(i).digitValue();
    }
    return n;
}

} // namespace

void TableFile::defineFields(Recordset& rs, const TableDef& def)
{
    rs.appendField(QStringLiteral("REC_ID"), 10, true);
    rs.appendField(QStringLiteral("STATUS"), 6, true);
    for (const FieldDef& field : def.fields)
        rs.appendField(field.name, field.maxLength);
}

QVector<QString> TableFile::splitRecord(const QString& text, const TableDef& def)
{
    const int own = def.ownFieldCount();
    QVector<QString> values(own + 2);

    const int comma = text.indexOf(QLatin1Char(','));
    if (comma < 0) {
        values[0] = text;
        return values;
    }
    values[0] = text.left(comma);
    int pos = comma + 1;

    const int statusEnd = text.indexOf(kStatusSep, pos);
    if (statusEnd < 0) {
        values[1] = text.mid(pos);
        return values;
    }
    values[1] = text.mid(pos, statusEnd - pos);
    pos = statusEnd + 2;

    for (int i = 0; i < own; ++i) {
        const bool last = i == own - 1;
        const int sep = last ? -1 : text.indexOf(kFieldSep, pos);
        QString raw;
        if (sep < 0) {
            // The last field, or a line cut short: what is left less its closing quote.
            raw = text.mid(pos);
            if (!raw.isEmpty() && (last || raw.endsWith(QLatin1Char('"'))))
                raw.chop(1);
            values[i + 2] = unescape(raw, def.fields.at(i));
            break;
        }
        raw = text.mid(pos, sep - pos);
        values[i + 2] = unescape(raw, def.fields.at(i));
        pos = sep + 3;
    }
    return values;
}

void TableFile::parse(const QByteArray& bytes, const TableDef& def, Recordset& rs)
{
    const QString text = Cp1252::decode(bytes);
    const int size = text.size();
    int pos = 0;

    // Next physical line without its line end; false at the end of the text.
    auto nextLine = [&](QString& line) {
        if (pos >= size)
            return false;
        int end = text.indexOf(QLatin1Char('\n'), pos);
        const int next = end < 0 ? size : end + 1;
        if (end < 0)
            end = size;
        if (end > pos && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        line = text.mid(pos, end - pos);
        pos = next;
        return true;
    };

    QString line;
    while (nextLine(line)) {
        if (line.size() < 4 || line.at(0) == QLatin1Char('#'))
            continue;
        if (def.multiLineRecords) {
            QString more;
            while (!line.endsWith(QLatin1Char('"')) && nextLine(more))
                line += more;
        }
        rs.appendRecord(splitRecord(line, def));
    }
}

QString TableFile::recordLine(const QVector<QString>& values, const TableDef& def)
{
    QString line;
    line.reserve(64);
    line += values.value(0);
    line += QLatin1Char(',');
    line += values.value(1);
    for (int i = 0; i < def.ownFieldCount(); ++i) {
        line += kStatusSep;
        line += escape(values.value(i + 2), def.fields.at(i));
        line += QLatin1Char('"');
    }
    return line;
}

QString TableFile::headerFromNothing(int recordCount, int fieldCount, const QString& typeLetter)
{
    QStringList lines{QStringLiteral("#CDBID: CASL"),
                      QStringLiteral("#MAJREV: 2"),
                      QStringLiteral("#MINREV: 0"),
                      QStringLiteral("#FLDCNT: %1").arg(fieldCount),
                      QStringLiteral("#RECCNT: %1").arg(recordCount),
                      QStringLiteral("#SYNCMODE: MERGE")};
    for (int i = 1; i <= fieldCount; ++i)
        lines << QStringLiteral("#FLDNUM:%1 TYPE:%2 SIZE:0").arg(i).arg(typeLetter);
    return lines.join(CRLF);
}

QString TableFile::rebuildHeaderText(const QStringList& oldHeaderLines, int recordCount, int fieldCount,
                                     const QString& typeLetter)
{
    if (oldHeaderLines.isEmpty())
        return headerFromNothing(recordCount, fieldCount, typeLetter);

    QString header;
    QString previous;
    bool first = true;
    for (const QString& old : oldHeaderLines) {
        QString line = old;
        if (line.startsWith(QLatin1String("#RECCNT:")))
            line = QStringLiteral("#RECCNT: %1").arg(recordCount);
        else if (line.startsWith(QLatin1String("#SYNCMODE:")))
            line = QStringLiteral("#SYNCMODE: MERGE");
        else if (line.startsWith(QLatin1String("#FLDCNT:")))
            line = QStringLiteral("#FLDCNT: %1").arg(fieldCount);
        if (!first && line == previous)
            continue;
        header += line + CRLF;
        previous = line;
        first = false;
    }
    for (int n = declaredFieldNumber(previous) + 1; n <= fieldCount; ++n)
        header += QStringLiteral("#FLDNUM:%1 TYPE:%2 SIZE:0").arg(n).arg(typeLetter) + CRLF;
    header.chop(2);
    return header;
}

QStringList TableFile::readHeaderLines(const QString& path)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    while (!file.atEnd()) {
        QByteArray raw = file.readLine();
        if (!raw.startsWith('#'))
            break;
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        lines << Cp1252::decode(raw);
    }
    return lines;
}

bool TableFile::writeTo(QIODevice& device, const QString& header, const Recordset& rs, const TableDef& def)
{
    const auto records = rs.recordsInSortOrder();
    QString chunk = header + CRLF;
    constexpr int kChunk = 1 << 20;
    for (const QVector<QString>* values : records) {
        chunk += recordLine(*values, def);
        chunk += CRLF;
        if (chunk.size() >= kChunk) {
            const QByteArray bytes = Cp1252::encode(chunk);
            if (device.write(bytes) != bytes.size())
                return false;
            chunk.clear();
        }
    }
    const QByteArray bytes = Cp1252::encode(chunk);
    return device.write(bytes) == bytes.size();
}

QString RebuildHeader(const QString& path, int recordCount, int fieldCount, const QString& typeLetter)
{
    return TableFile::rebuildHeaderText(TableFile::readHeaderLines(path), recordCount, fieldCount, typeLetter);
}

namespace {
AppError fileError(const QFileDevice& file)
{
    int number = AppError::PathFileAccessError;
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        number = AppError::PermissionDenied;
        break;
    case QFileDevice::ResourceError:
        number = AppError::DiskFull;
        break;
    case QFileDevice::WriteError:
        number = AppError::DeviceIoError;
        break;
    default:
        break;
    }
    return AppError(number, AppError::describe(number) + QStringLiteral(": ") + file.errorString());
}
} // namespace

std::optional<AppError> TableWriter::write(const Recordset& rs, const TableDef& def, const QString& path)
{
    const QString header = RebuildHeader(path, rs.totalRecordCount(), def.ownFieldCount(), QStringLiteral("S"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(file);
    if (!TableFile::writeTo(file, header, rs, def)) {
        AppError error = fileError(file);
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return fileError(file);
    return std::nullopt;
}

bool TableWriter::save(const Recordset& rs, const TableDef& def, const QString& path)
{
    if (const auto error = write(rs, def, path)) {
        ShowError(QStringLiteral("saving ") + def.fileName, QStringLiteral("Filename = ") + path, *error);
        return false;
    }
    return true;
}
