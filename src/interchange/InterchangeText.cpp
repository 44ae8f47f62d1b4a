#include "interchange/InterchangeText.h"

namespace InterchangeText {

QString column(const QString& text, int start, int length)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return QString();
    return text.mid(start - 1, length);
}

QString trimmedColumn(const QString& text, int start, int length)
{
    return column(text, start, length).trimmed();
}

QString collapseTripleBreaks(QString text)
{
    static const QString triple = QStringLiteral("\r\n\r\n\r\n");
    static const QString twice = QStringLiteral("\r\n\r\n");
    while (text.contains(triple))
        text.replace(triple, twice);
    return text;
}

QString normalizeLineBreaks(const QString& text)
{
    // Most texts have CR LF only (or no break at all) and are returned as they are.
    bool clean = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n && clean; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r'))
            clean = i + 1 < n && text.at(++i) == QLatin1Char('\n');
        else if (c == QLatin1Char('\n'))
            clean = false;
    }
    if (clean)
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += CrLf;
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += CrLf;
        } else {
            out += c;
        }
    }
    return out;
}

QString cleanField(QString text)
{
    text.replace(QStringLiteral("\r\n\r\n"), CrLf);
    text.replace(CrLf, QStringLiteral(" "));
    return text;
}

QString firstWord(const QString& text)
{
    const QString t = text.trimmed();
    const int blank = t.indexOf(QLatin1Char(' '));
    return blank < 0 ? t : t.left(blank);
}

bool inCp1252(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return true;
    switch (u) {
    case 0x20AC:
    case 0x201A:
    case 0x0192:
    case 0x201E:
    case 0x2026:
    case 0x2020:
    case 0x2021:
    case 0x02C6:
    case 0x2030:
    case 0x0160:
    case 0x2039:
    case 0x0152:
    case 0x017D:
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
    case 0x2022:
    case 0x2013:
    case 0x2014:
    case 0x02DC:
    case 0x2122:
    case 0x0161:
    case 0x203A:
    case 0x0153:
    case 0x017E:
    case 0x0178:
        return true;
    default:
        return false;
    }
}

namespace {

    bool isDroppedControl(ushort u)
    {
        return (u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u == 0x7F || (u >= 0x80 && u < 0xA0);
    }

    QString nearestPlain(QChar c)
    {
        // Compatibility decomposition turns "ﬁ" into "fi", "⅓" into "1⁄3", "é" into "e" plus a combining accent.
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
        QString out;
        for (const QChar d : decomposed) {
            if (d.category() == QChar::Mark_NonSpacing || d.category() == QChar::Mark_Enclosing)
                continue;
            if (d.unicode() == 0x2044 || d.unicode() == 0x2215)
                out += QLatin1Char('/');
            else if (inCp1252(d) && !isDroppedControl(d.unicode()))
                out += d;
            else
                return QStringLiteral("?");
        }
        return out.isEmpty() ? QStringLiteral("?") : out;
    }

} // namespace

QString toCp1252Repertoire(const QString& text)
{
    bool clean = true;
    for (const QChar c : text) {
        if (!inCp1252(c) || isDroppedControl(c.unicode())) {
            clean = false;
            break;
        }
    }
    if (clean)
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isDroppedControl(c.unicode()))
            continue;
        if (inCp1252(c)) {
            out += c;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += QLatin1Char('?');
            ++i;
        } else {
            out += nearestPlain(c);
        }
    }
    return out;
}

QByteArray encodeCp1252(const QString& text)
{
    static const ushort high[32]
        = { 0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178 };
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const ushort u = text.at(i).unicode();
        if ((u < 0x80 && !isDroppedControl(u)) || (u >= 0xA0 && u <= 0xFF)) {
            out.append(static_cast<char>(u));
            continue;
        }
        int byte = -1;
        for (int k = 0; k < 32; ++k) {
            if (high[k] == u && u != 0) {
                byte = 0x80 + k;
                break;
            }
        }
        if (byte >= 0) {
            out.append(static_cast<char>(byte));
        } else if (!isDroppedControl(u)) {
            // Rare: map to the nearest plain form (surrogate pairs included) and encode that.
            int end = i + 1;
            if (text.at(i).isHighSurrogate() && end < text.size() && text.at(end).isLowSurrogate())
                ++end;
            out.append(encodeCp1252(toCp1252Repertoire(text.mid(i, end - i))));
            i = end - 1;
        }
    }
    return out;
}

QString rightAligned(const QString& text, int width)
{
    if (text.size() >= width)
        return text.right(width);
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString leftFixed(const QString& text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

} // namespace InterchangeText
