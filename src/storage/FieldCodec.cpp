#include "storage/FieldCodec.h"

#include "storage/Cp1252.h"
#include "storage/TableCatalogue.h"

#include <cstring>

FieldEncoding FieldEncoding::of(const FieldDef& field)
{
    FieldEncoding e;
    e.escapeLineBreaks = field.escapeLineBreaks;
    e.rawQuotes = field.rawQuotes;
    return e;
}

FieldEncoding FieldEncoding::bareField()
{
    FieldEncoding e;
    e.bare = true;
    return e;
}

namespace FieldCodec {

namespace {
    bool undoesLines(FieldEncoding e)
    {
        return e.escapeLineBreaks && !e.bare;
    }
    bool undoesQuotes(FieldEncoding e)
    {
        return !e.rawQuotes && !e.bare;
    }
} // namespace

QByteArrayView unescape(QByteArrayView raw, FieldEncoding encoding, QByteArray& scratch)
{
    const bool lines = undoesLines(encoding) && raw.contains('\\');
    const bool quotes = undoesQuotes(encoding) && raw.contains('"');
    if (!lines && !quotes)
        return raw;
    scratch.resize(raw.size() + 2 * raw.count('\\'));
    char* dst = scratch.data();
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
    return QByteArrayView(scratch.constData(), dst - scratch.constData());
}

QString decode(QByteArrayView raw, FieldEncoding encoding)
{
    QByteArray scratch;
    return Cp1252::decode(unescape(raw, encoding, scratch));
}

void appendEncoded(QByteArray& out, const QString& value, FieldEncoding encoding)
{
    // A bare LF or CR in a line-break field is written as a line break too: raw, it would end the physical
    // line and split the record on reading.
    const bool lines = undoesLines(encoding);
    const bool quotes = undoesQuotes(encoding);
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

bool roundTrips(QByteArrayView raw, FieldEncoding encoding)
{
    // Every byte decodes and encodes back to itself, and backslash-n comes back as backslash-n when the raw
    // bytes hold no line break. Only quotes can change: "" reads as one quote and is written as two, but a
    // lone quote (an odd run) is written doubled.
    if (!undoesQuotes(encoding))
        return true;
    const char* p = raw.data();
    const char* end = p + raw.size();
    while (p < end) {
        const void* hit = std::memchr(p, '"', static_cast<size_t>(end - p));
        if (!hit)
            return true;
        const char* q = static_cast<const char*>(hit);
        const char* r = q;
        while (r < end && *r == '"')
            ++r;
        if ((r - q) % 2)
            return false;
        p = r;
    }
    return true;
}

} // namespace FieldCodec
