#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct FieldDef;

// How one field's value is escaped between its quotes in a table file, and the conversions between the
// file's bytes (Windows-1252) and the value. The one owner of the value escapes: the reader, the writer and
// the in-memory table all go through here.
struct FieldEncoding
{
    // CR LF is written as backslash-n (recipe Instructions).
    bool escapeLineBreaks = false;
    // A double quote is written as one quote, not two (recipe Nutrition).
    bool rawQuotes = false;
    // REC_ID and STATUS are written bare: no quotes to double.
    bool bare = false;

    static FieldEncoding of(const FieldDef& field);
    static FieldEncoding bareField();
};

namespace FieldCodec {

// The bytes of a value with its escapes undone (backslash-n to CR LF, "" to "), still Windows-1252. Returns
// raw itself when there is nothing to undo, else a view of scratch, which it fills.
QByteArrayView unescape(QByteArrayView raw, FieldEncoding encoding, QByteArray& scratch);
// The value of a raw field: escapes undone and decoded.
QString decode(QByteArrayView raw, FieldEncoding encoding);
// Appends the value encoded and escaped, as it stands between the quotes of a record line.
void appendEncoded(QByteArray& out, const QString& value, FieldEncoding encoding);
// True when appendEncoded(decode(raw)) gives raw back byte for byte, so the raw bytes can be written as
// they are. raw holds no line break (the reader ends lines there).
bool roundTrips(QByteArrayView raw, FieldEncoding encoding);

} // namespace FieldCodec
