#include "storage/Cp1252.h"

#include <QTextCodec>

namespace {
QTextCodec* codec()
{
    static QTextCodec* const c = QTextCodec::codecForName("Windows-1252");
    return c;
}
} // namespace

QString Cp1252::decode(const QByteArray& bytes)
{
    return codec()->toUnicode(bytes);
}

QByteArray Cp1252::encode(const QString& text)
{
    return codec()->fromUnicode(text);
}
