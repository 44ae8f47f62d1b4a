#include "storage/TableFile.h"

#include "base/ShowError.h"
#include "storage/Cp1252.h"
#include "storage/FieldCodec.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

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

Recordset::FieldSpan spanOf(qsizetype from, qsizetype length)
{
    return { static_cast<quint32>(from), static_cast<quint32>(length) };
}

// Splits one record's text into the places of its values (REC_ID, STATUS, then the own fields; values not
// found stay empty) and tells whether writing those values would give the text back byte for byte.
bool splitSpans(QByteArrayView text, const TableDef& def, Recordset::FieldSpan* spans)
{
    const int own = def.ownFieldCount();
    std::fill(spans, spans + own + 2, Recordset::FieldSpan());

    const qsizetype comma = text.indexOf(',');
    if (comma < 0) {
        spans[0] = spanOf(0, text.size());
        return false;
    }
    spans[0] = spanOf(0, comma);
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
        spans[1] = spanOf(pos, text.size() - pos);
        return false;
    }
    spans[1] = spanOf(pos, statusEnd - pos);
    pos = statusEnd + 2;

    bool roundTrips = own > 0;
    for (int i = 0; i < own; ++i) {
        const bool last = i == own - 1;
        const FieldEncoding encoding = FieldEncoding::of(def.fields.at(i));
        const qsizetype sep = last ? -1 : findFieldSeparator(text, pos);
        if (sep < 0) {
            // The last field, or a line cut short: what is left less its closing quote.
            QByteArrayView raw = text.sliced(pos);
            const bool closed = raw.endsWith('"');
            if (!raw.isEmpty() && (last || closed))
                raw.chop(1);
            spans[i + 2] = spanOf(pos, raw.size());
            return roundTrips && last && closed && FieldCodec::roundTrips(raw, encoding);
        }
        const QByteArrayView raw = text.sliced(pos, sep - pos);
        spans[i + 2] = spanOf(pos, raw.size());
        roundTrips = roundTrips && FieldCodec::roundTrips(raw, encoding);
        pos = sep + 3;
    }
    return roundTrips;
}

// Appends a record line (without line end) from the record's values.
template <typename ValueOf> void appendRecordLine(QByteArray& out, const TableDef& def, ValueOf&& valueOf)
{
    FieldCodec::appendEncoded(out, valueOf(0), FieldEncoding::bareField());
    out += ',';
    FieldCodec::appendEncoded(out, valueOf(1), FieldEncoding::bareField());
    for (int i = 0; i < def.ownFieldCount(); ++i) {
        out += ",\"";
        FieldCodec::appendEncoded(out, valueOf(i + 2), FieldEncoding::of(def.fields.at(i)));
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
    for (const FieldDef& field : def.fields) {
        rs.appendField(field.name, field.maxLength);
        rs.setFieldEncoding(rs.fieldCount() - 1, FieldEncoding::of(field));
    }
}

QVector<QString> TableFile::splitRecord(const QString& text, const TableDef& def)
{
    const QByteArray bytes = Cp1252::encode(text);
    std::vector<Recordset::FieldSpan> spans(static_cast<size_t>(def.ownFieldCount()) + 2);
    splitSpans(bytes, def, spans.data());
    QVector<QString> values;
    values.reserve(def.ownFieldCount() + 2);
    for (int i = 0; i < def.ownFieldCount() + 2; ++i) {
        const FieldEncoding encoding = i < 2 ? FieldEncoding::bareField() : FieldEncoding::of(def.fields.at(i - 2));
        values.append(FieldCodec::decode(QByteArrayView(bytes).sliced(spans[i].offset, spans[i].length), encoding));
    }
    return values;
}

bool TableFile::nextLine(QByteArrayView bytes, qsizetype& pos, QByteArrayView& line)
{
    const qsizetype size = bytes.size();
    if (pos >= size)
        return false;
    const char* data = bytes.data();
    // Look for the line's end a piece at a time, so a file without one kind of line end is still read in one pass.
    constexpr qsizetype piece = 4096;
    qsizetype endAt = size;
    for (qsizetype from = pos; from < size; from += piece) {
        const size_t span = static_cast<size_t>(std::min(piece, size - from));
        const void* lf = std::memchr(data + from, '\n', span);
        const size_t beforeLf = lf ? static_cast<size_t>(static_cast<const char*>(lf) - (data + from)) : span;
        const void* cr = std::memchr(data + from, '\r', beforeLf);
        if (cr || lf) {
            endAt = static_cast<const char*>(cr ? cr : lf) - data;
            break;
        }
    }
    line = QByteArrayView(data + pos, endAt - pos);
    if (endAt == size) {
        pos = size;
        return true;
    }
    // A run of CRs right before an LF ends the line together with it; any other CR ends a line alone.
    qsizetype after = endAt;
    while (after < size && data[after] == '\r')
        ++after;
    pos = after < size && data[after] == '\n' ? after + 1 : endAt + 1;
    return true;
}

void TableFile::parse(const QByteArray& fileBytes, const TableDef& def, Recordset& rs)
{
    // The table keeps the bytes; records point into them.
    const QByteArrayView bytes(rs.keepBytes(fileBytes), fileBytes.size());
    qsizetype pos = 0;
    std::vector<Recordset::FieldSpan> spans(static_cast<size_t>(def.ownFieldCount()) + 2);
    QByteArrayView line;
    while (nextLine(bytes, pos, line)) {
        if (line.size() < 4 || line.front() == '#')
            continue;
        if (def.multiLineRecords && !line.endsWith('"')) {
            // The record continues on the next physical lines, joined without a separator; the joined text is
            // kept beside the file's bytes.
            QByteArray joined = line.toByteArray();
            QByteArrayView more;
            while (!joined.endsWith('"') && nextLine(bytes, pos, more))
                joined += more;
            line = QByteArrayView(rs.keepBytes(joined), joined.size());
        }
        const bool roundTrips = splitSpans(line, def, spans.data());
        rs.appendRead(line.data(), line.size(), spans.data(), roundTrips);
    }
}

QString TableFile::recordLine(const QVector<QString>& values, const TableDef& def)
{
    QByteArray out;
    appendRecordLine(out, def, [&](int i) { return values.value(i); });
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
    for (const Recordset::Record* record : records) {
        // A record unchanged since it was read is written as it was read.
        QByteArrayView original;
        if (record->originalText(original))
            chunk.append(original.data(), original.size());
        else
            appendRecordLine(chunk, def, [&](int i) { return record->at(i); });
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
