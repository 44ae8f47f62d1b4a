#include "storage/Cp1252.h"

namespace {

// Code points of bytes 0x80-0x9F; the five bytes Windows-1252 leaves undefined map to the control
// characters of the same number, as the platform codecs do.
constexpr char16_t kHigh[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

char encodeOne(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

struct FoldTable
{
    char16_t units[256];
    FoldTable()
    {
        for (int b = 0; b < 256; ++b) {
            const char16_t u = b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : static_cast<char16_t>(b);
            units[b] = QChar(u).toCaseFolded().unicode();
        }
    }
};

} // namespace

const char16_t* Cp1252::foldTable()
{
    static const FoldTable table;
    return table.units;
}

QString Cp1252::decode(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    char16_t* data = reinterpret_cast<char16_t*>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c >= 0x80 && c <= 0x9F)
            data[i] = kHigh[c - 0x80];
    }
    return text;
}

QByteArray Cp1252::encode(const QString& text)
{
    const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* dst = out.data();
    qsizetype j = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c < 0x80) {
            dst[j++] = static_cast<char>(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(data[i + 1])) {
            dst[j++] = '?';
            ++i;
        } else {
            dst[j++] = encodeOne(c);
        }
    }
    out.truncate(j);
    return out;
}
