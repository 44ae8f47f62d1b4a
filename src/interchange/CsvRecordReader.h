#pragma once

#include <QStringList>

class LineSource;

// Reads one comma-separated record, starting at the source's current line.
//
// Fields are separated by ","; a field that begins with a quote character (after blanks) is quoted: it runs to
// the next quote that is not doubled, may hold commas and line breaks (joined with CR LF), and a doubled
// quote inside it stands for one quote. Unquoted fields are trimmed. The record ends at the end of the line
// on which its last field ends; that line stays current. A quoted field still open at the end of the file
// ends there, so an unbalanced quote never reads past the file or hangs.
namespace CsvRecordReader {
QStringList read(LineSource& source);
}
