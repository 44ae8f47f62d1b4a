#include "storage/TableFile.h"

#include "shell/ShowError.h"
#include "storage/Cp1252.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

// Undoes the value escapes of one raw field and decodes it: backslash-n to CR LF (line-break fields) and
// "" to " (unless raw). Works on the file's bytes; every separator and escape is plain ASCII.
QString decodeField(QByteArrayView raw, const FieldDef& field)
{
    const bool lines = field.escapeLineBreaks && raw.contains('\\');
    const bool quotes = !field.rawQuotes && raw.contains('"');
    if (!lines && !quotes)
        return Cp1252::decode(raw);
    QByteArray out(raw.size() + 2 * raw.count('\\'), Qt::Uninitialized);
    char* dst = out.data();
    const char* p = raw.data();
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (lines && c == '\\' && i + 1 < n && p[i + 1] == 'n') {
            *dst++ = '\r';
            *dst++ = '\n';
            ++i;
        } else if (quotes && c == '"' && i + 1 < n && p[i + 1] == '"') {
            *dst++ = c;
            ++i;
        } else {
            *dst++ = c;
        }
    }
    out.truncate(dst - out.data());
    return Cp1252::decode(out);
}

// Position of the next "," (quote, comma, quote) at or after from, or -1.
qsizetype findFieldSeparator(QByteArrayView text, qsizetype from)
{
    const qsizetype size = text.size();
    const char* data = text.data();
    while (from < size) {
        const void* hit = std::memchr(data + from, '"', static_cast<size_t>(size - from));
        if (!hit)
            return -1;
        const qsizetype q = static_cast<const char*>(hit) - data;
        if (q + 2 >= size)
            return -1;
        if (data[q + 1] == ',' && data[q + 2] == '"')
            return q;
        from = q + 1;
    }
    return -1;
}

// Splits one record's bytes into its decoded values.
QVector<QString> splitBytes(QByteArrayView text, const TableDef& def)
{
    const int own = def.ownFieldCount();
    QVector<QString> values(own + 2);

    const qsizetype comma = text.indexOf(',');
    if (comma < 0) {
        values[0] = Cp1252::decode(text);
        return values;
    }
    values[0] = Cp1252::decode(text.first(comma));
    qsizetype pos = comma + 1;

    qsizetype statusEnd = -1;
    for (qsizetype from = pos;;) {
        const qsizetype c = text.indexOf(',', from);
        if (c < 0 || c + 1 >= text.size())
            break;
        if (text.at(c + 1) == '"') {
            statusEnd = c;
            break;
        }
        from = c + 1;
    }
    if (statusEnd < 0) {
        values[1] = Cp1252::decode(text.sliced(pos));
        return values;
    }
    values[1] = Cp1252::decode(text.sliced(pos, statusEnd - pos));
    pos = statusEnd + 2;

    for (int i = 0; i < own; ++i) {
        const bool last = i == own - 1;
        const qsizetype sep = last ? -1 : findFieldSeparator(text, pos);
        if (sep < 0) {
            // The last field, or a line cut short: what is left less its closing quote.
            QByteArrayView raw = text.sliced(pos);
            if (!raw.isEmpty() && (last || raw.endsWith('"')))
                raw.chop(1);
            values[i + 2] = decodeField(raw, def.fields.at(i));
            break;
        }
        values[i + 2] = decodeField(text.sliced(pos, sep - pos), def.fields.at(i));
        pos = sep + 3;
    }
    return values;
}

// Appends a value encoded and escaped: " doubled (unless raw), line breaks as backslash-n (line-break
// fields). A bare LF or CR in such a field is written as a line break too: raw, it would end the physical
// line and split the record on reading.
void appendEncoded(QByteArray& out, const QString& value, const FieldDef* field)
{
    const bool lines = field && field->escapeLineBreaks;
    const bool quotes = field && !field->rawQuotes;
    const char16_t* p = reinterpret_cast<const char16_t*>(value.constData());
    const qsizetype n = value.size();
    // Worst case: every character doubled.
    const qsizetype start = out.size();
    out.resize(start + 2 * n);
    char* dst = out.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (lines && c == u'\r' && i + 1 < n && p[i + 1] == u'\n') {
            *dst++ = '\\';
            *dst++ = 'n';
            ++i;
        } else if (lines && (c == u'\n' || c == u'\r')) {
            *dst++ = '\\';
            *dst++ = 'n';
        } else if (quotes && c == u'"') {
            *dst++ = '"';
            *dst++ = '"';
        } else if (c < 0x80) {
            *dst++ = static_cast<char>(c);
        } else {
            const qsizetype run = (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) ? 2 : 1;
            *dst++ = Cp1252::encode(QString(reinterpret_cast<const QChar*>(p + i), run)).at(0);
            i += run - 1;
        }
    }
    out.truncate(dst - out.data());
}

void appendRecordLine(QByteArray& out, const QVector<QString>& values, const TableDef& def)
{
    appendEncoded(out, values.value(0), nullptr);
    out += ',';
    appendEncoded(out, values.value(1), nullptr);
    for (int i = 0; i < def.ownFieldCount(); ++i) {
        out += ",\"";
        appendEncoded(out, values.value(i + 2), &def.fields.at(i));
        out += '"';
    }
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
    return splitBytes(Cp1252::encode(text), def);
}

bool TableFile::nextLine(QByteArrayView bytes, qsizetype& pos, QByteArrayView& line)
{
    const qsizetype size = bytes.size();
    if (pos >= size)
        return false;
    const char* data = bytes.data();
    const void* lf = std::memchr(data + pos, '\n', static_cast<size_t>(size - pos));
    const qsizetype lfAt = lf ? static_cast<const char*>(lf) - data : size;
    const void* cr = std::memchr(data + pos, '\r', static_cast<size_t>(lfAt - pos));
    if (!cr) {
        line = QByteArrayView(data + pos, lfAt - pos);
        pos = lf ? lfAt + 1 : size;
        return true;
    }
    const qsizetype crAt = static_cast<const char*>(cr) - data;
    line = QByteArrayView(data + pos, crAt - pos);
    // A run of CRs right before the LF ends the line together with it; any other CR ends a line alone.
    qsizetype after = crAt;
    while (after < size && data[after] == '\r')
        ++after;
    pos = after == lfAt && lf ? lfAt + 1 : crAt + 1;
    return true;
}

void TableFile::parse(const QByteArray& bytes, const TableDef& def, Recordset& rs)
{
    qsizetype pos = 0;
    QByteArrayView line;
    QByteArray joined;
    while (nextLine(bytes, pos, line)) {
        if (line.size() < 4 || line.front() == '#')
            continue;
        if (def.multiLineRecords && !line.endsWith('"')) {
            // The record continues on the next physical lines, joined without a separator.
            joined = line.toByteArray();
            QByteArrayView more;
            while (!joined.endsWith('"') && nextLine(bytes, pos, more))
                joined += more;
            rs.appendRecord(splitBytes(joined, def));
            continue;
        }
        rs.appendRecord(splitBytes(line, def));
    }
}

QString TableFile::recordLine(const QVector<QString>& values, const TableDef& def)
{
    QByteArray out;
    appendRecordLine(out, values, def);
    return Cp1252::decode(out);
}

QString TableFile::headerFromNothing(int recordCount, int fieldCount, const QString& typeLetter)
{
    QStringList lines { QStringLiteral("#CDBID: CASL"),
                        QStringLiteral("#MAJREV: 2"),
                        QStringLiteral("#MINREV: 0"),
                        QStringLiteral("#FLDCNT: %1").arg(fieldCount),
                        QStringLiteral("#RECCNT: %1").arg(recordCount),
                        QStringLiteral("#SYNCMODE: MERGE") };
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Only the top of the file is needed: read on until a line that is not a header line has begun.
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = file.read(1 << 16);
        bytes += chunk;
        const bool atEnd = chunk.isEmpty() || file.atEnd();
        QStringList lines;
        qsizetype pos = 0;
        QByteArrayView line;
        bool headerEnded = false;
        while (nextLine(bytes, pos, line)) {
            if (!line.startsWith('#')) {
                headerEnded = true;
                break;
            }
            lines << Cp1252::decode(line);
        }
        if (headerEnded || atEnd)
            return lines;
    }
}

bool TableFile::writeTo(QIODevice& device, const QString& header, const Recordset& rs, const TableDef& def)
{
    const auto records = rs.recordsInSortOrder();
    constexpr qsizetype kChunk = 1 << 20;
    QByteArray chunk;
    chunk.reserve(kChunk + (1 << 16));
    chunk += Cp1252::encode(header);
    chunk += "\r\n";
    for (const QVector<QString>* values : records) {
        appendRecordLine(chunk, *values, def);
        chunk += "\r\n";
        if (chunk.size() >= kChunk) {
            if (device.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return device.write(chunk) == chunk.size();
}

QString RebuildHeader(const QString& path, int recordCount, int fieldCount, const QString& typeLetter)
{
    return TableFile::rebuildHeaderText(TableFile::readHeaderLines(path), recordCount, fieldCount, typeLetter);
}

std::optional<AppError> TableWriter::write(const Recordset& rs, const TableDef& def, const QString& path)
{
    const QString header = RebuildHeader(path, rs.totalRecordCount(), def.ownFieldCount(), QStringLiteral("S"));
    return SafeFile::write(path, [&](QIODevice& device) { return TableFile::writeTo(device, header, rs, def); });
}

bool TableWriter::save(const Recordset& rs, const TableDef& def, const QString& path)
{
    if (const auto error = write(rs, def, path)) {
        ShowError(QStringLiteral("saving ") + def.fileName, QStringLiteral("Filename = ") + path, *error);
        return false;
    }
    return true;
}
