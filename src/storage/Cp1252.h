#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1252 conversion at the file boundary. Characters that have no Windows-1252 byte are written as "?".
namespace Cp1252 {
QString decode(QByteArrayView bytes);
QByteArray encode(const QString& text);
// For each byte, its character case-folded (the folding of case-insensitive text comparisons), so that
// bytes can be compared with folded text without decoding them. 256 entries.
const char16_t* foldTable();
} // namespace Cp1252
