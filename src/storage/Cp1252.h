#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1252 conversion at the file boundary. Characters that have no Windows-1252 byte are written as "?".
namespace Cp1252 {
QString decode(QByteArrayView bytes);
QByteArray encode(const QString& text);
} // namespace Cp1252
