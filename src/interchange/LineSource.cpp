#include "interchange/LineSource.h"

#include "interchange/InterchangeText.h"
#include "storage/Cp1252.h"

#include <QIODevice>
#include <QStringDecoder>

#include <cstring>

LineSource::LineSource(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_next = 3;
}

LineSource LineSource::fromDevice(QIODevice& device)
{
    return LineSource(device.readAll());
}

bool LineSource::restIsBlank() const
{
    for (qsizetype i = m_next; i < m_bytes.size(); ++i) {
        const char c = m_bytes.at(i);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

bool LineSource::readLine()
{
    if (atEnd()) {
        m_current.clear();
        m_hasLine = false;
        return false;
    }
    const char* data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    const qsizetype start = m_next;
    m_start = start;
    qsizetype end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n')
        ++end;
    m_next = end;
    if (m_next < size) {
        if (data[m_next] == '\r' && m_next + 1 < size && data[m_next + 1] == '\n')
            m_next += 2;
        else
            m_next += 1;
    }
    m_current = decodeLine(data + start, end - start);
    m_hasLine = true;
    ++m_lineNumber;
    return true;
}

void LineSource::seek(const Position& p)
{
    m_start = p.start;
    m_next = p.next;
    m_lineNumber = p.lineNumber;
    m_hasLine = p.hasLine;
    m_current = p.current;
}

QString LineSource::expandTabs(const QString& text)
{
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (c == QLatin1Char('\t'))
            out += QString(8 - out.size() % 8, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

QString LineSource::decodeLine(const char* data, qsizetype size)
{
    bool plain = true;
    bool tabs = false;
    // Eight bytes at a time while none is a control character or above 0x7F.
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 w;
        std::memcpy(&w, data + i, 8);
        const quint64 high = 0x8080808080808080ULL;
        if (((w | (w - 0x2020202020202020ULL)) & high) != 0)
            break;
    }
    for (; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b == '\t') {
            tabs = true;
        } else if (b >= 0x80 || b < 0x20) {
            plain = false;
            break;
        }
    }
    if (plain)
        return tabs ? expandTabs(QString::fromLatin1(data, size)) : QString::fromLatin1(data, size);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(data, size));
    if (utf8.hasError())
        text = Cp1252::decode(QByteArray(data, size));
    // Tabs survive the repertoire mapping (it drops other control characters).
    return expandTabs(InterchangeText::toCp1252Repertoire(text));
}
