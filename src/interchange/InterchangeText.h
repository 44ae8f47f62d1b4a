#pragma once

#include <QByteArray>
#include <QString>

// Small text helpers shared by the recipe readers and writers. Positions given as "column" are 1-based, as the
// foreign layouts describe their columns.
namespace InterchangeText {

inline const QString CrLf = QStringLiteral("\r\n");

// The text from column start (1-based) on, at most length characters (all when length < 0). Empty when start
// lies beyond the text.
QString column(const QString& text, int start, int length = -1);
// column(...).trimmed()
QString trimmedColumn(const QString& text, int start, int length = -1);

// Replaces every run of three line breaks by two until none is left.
QString collapseTripleBreaks(QString text);
// Turns CR alone and LF alone into CR LF (CR LF stays).
QString normalizeLineBreaks(const QString& text);
// "Cleans" a field: CR LF CR LF becomes CR LF, then every CR LF becomes a blank.
QString cleanField(QString text);
// The first word of the text (up to the first blank), after trimming.
QString firstWord(const QString& text);

// Maps characters that Windows-1252 cannot hold to the nearest plain character (accents dropped, compatibility
// forms decomposed) or "?", and drops control characters other than TAB, CR and LF.
QString toCp1252Repertoire(const QString& text);
// The Windows-1252 bytes of a text; characters it cannot hold are first mapped as toCp1252Repertoire does.
QByteArray encodeCp1252(const QString& text);
// True when Windows-1252 has a byte for the character.
bool inCp1252(QChar c);

// Right-aligns text in width characters; longer text keeps its last width characters.
QString rightAligned(const QString& text, int width);
// Pads with blanks or cuts to exactly width characters.
QString leftFixed(const QString& text, int width);

} // namespace InterchangeText
