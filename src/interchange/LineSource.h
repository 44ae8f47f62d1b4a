#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// The lines of an import file, one at a time, with a current line as the readers expect it.
//
// Lines end at CR LF, at LF alone or at CR alone; a missing final line end is accepted. Each line is decoded
// on its own: valid UTF-8 as UTF-8, anything else as Windows-1252, so an archive that joins files of both
// kinds decodes every recipe correctly. Characters that Windows-1252 cannot hold (the table files are
// Windows-1252) become their nearest plain form or "?", and control characters are dropped. Tabs are
// expanded to blanks up to the next multiple of 8 columns, so that fixed-column layouts keep their columns.
class LineSource
{
public:
    explicit LineSource(QByteArray bytes);
    // Reads the whole device (from its current position). A device that cannot be read gives no lines.
    static LineSource fromDevice(QIODevice& device);

    // True when every line has been read (the last one may still be current).
    bool atEnd() const { return m_next >= m_bytes.size(); }
    // Makes the next line current and returns true; at the end the current line becomes empty and false is
    // returned.
    bool readLine();
    // True when nothing but blanks and line ends is left to read.
    bool restIsBlank() const;
    // True while the current line is a line of the file (false before the first read and after reading past
    // the end).
    bool hasLine() const { return m_hasLine; }
    const QString& current() const { return m_current; }
    void setCurrent(const QString& line) { m_current = line; }
    // The bytes not read yet (web pages and JSON files are read whole).
    QByteArrayView rest() const { return QByteArrayView(m_bytes).sliced(m_next); }
    // 1-based number of the current line; 0 before the first read.
    int lineNumber() const { return m_lineNumber; }

    // Byte offset of the current line's first byte (of the end of the file after the last line), and of the
    // line that the next read makes current.
    qsizetype currentOffset() const { return m_hasLine ? m_start : m_bytes.size(); }
    qsizetype nextOffset() const { return m_next; }
    // Size of the file in bytes.
    qsizetype size() const { return m_bytes.size(); }
    // The file's bytes from one offset up to another, unchanged.
    QByteArray bytes(qsizetype from, qsizetype to) const { return m_bytes.mid(from, to - from); }

    // A place in the file to come back to: the current line and what follows it.
    struct Position
    {
        qsizetype start = 0;
        qsizetype next = 0;
        int lineNumber = 0;
        bool hasLine = false;
        QString current;
    };
    Position position() const { return { m_start, m_next, m_lineNumber, m_hasLine, m_current }; }
    void seek(const Position& p);

    // Decodes one line's bytes (see the class comment).
    static QString decodeLine(const char* data, qsizetype size);
    // The text with every tab replaced by the blanks up to the next multiple of 8 columns.
    static QString expandTabs(const QString& text);

private:
    QByteArray m_bytes;
    qsizetype m_start = 0;
    qsizetype m_next = 0;
    QString m_current;
    int m_lineNumber = 0;
    bool m_hasLine = false;
};
