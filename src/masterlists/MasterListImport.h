#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Reading an ingredient list file ("ingredient" or "ingredient,aisle" per line) into the ingredient list.
namespace MasterListImport {

struct Line
{
    QString ingredient;
    QString aisle;
};

// Splits one line of the file:
//   Flour              -> Flour, no aisle (also a line whose only comma is its first character)
//   Flour,3            -> Flour in aisle 3 (split at the last comma)
//   "Flour"            -> Flour, no aisle
//   "Bread, white",7   -> Bread, white in aisle 7 (split at the last quote-comma pair)
//   any other line with a quote character -> the whole line, no aisle
// Both parts lose surrounding blanks.
Line splitLine(const QString& line);

// The lines of a file's bytes: UTF-8 when the bytes are valid UTF-8 (a byte order mark is dropped), else
// Windows-1252; CR LF, LF and CR all end a line; a final line end does not start another line.
QStringList decodeLines(const QByteArray& bytes);

// The synchronisation limit of a list; the import stops once the list shows this many entries.
constexpr int kDatabaseLimit = 15999;
QString databaseLimitTitle();
QString databaseLimitText();

// The progress text after count lines, and the text once the import is done.
QString progressText(int count);
QString doneText(int count);

// Hooks of one import run.
struct Run
{
    // Number of entries the list shows now.
    std::function<int()> listCount;
    // Adds one entry as the editor's Add does (an empty ingredient adds nothing). Returns false when the
    // list refused it because it is full (after telling the user); the import goes on with the next line.
    std::function<bool(const Line&)> add;
    // Called after each line is read with the count so far, before it is added.
    std::function<void(int)> progress;
};

// Feeds every line through run.add to the end of the lines; a line the editor refuses at its own limit
// does not stop the run. Stops early only once the list shows kDatabaseLimit entries ("Database Limit"
// message). Returns the number of lines read.
int importLines(const QStringList& lines, const Run& run);

} // namespace MasterListImport
