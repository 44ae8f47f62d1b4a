#include "recipes/RecipeEncodings.h"

namespace {
const QChar kLineEnd = QLatin1Char('~');
const QChar kCellSep = QLatin1Char('|');
} // namespace

QStringList itemLineTexts(const QString& text)
{
    QStringList pieces = text.split(kLineEnd);
    pieces.removeLast();
    return pieces;
}

ItemLine splitItemLine(const QString& lineText)
{
    const QStringList parts = lineText.split(kCellSep);
    return { parts.value(0), parts.value(1), parts.value(2) };
}

QVector<ItemLine> splitItemLines(const QString& text)
{
    QVector<ItemLine> lines;
    const QStringList pieces = itemLineTexts(text);
    lines.reserve(pieces.size());
    for (const QString& piece : pieces)
        lines.append(splitItemLine(piece));
    return lines;
}

QString itemLineText(const ItemLine& line)
{
    return line.quantity + kCellSep + line.units + kCellSep + line.item + kLineEnd;
}

QString joinItemLines(const QVector<ItemLine>& lines)
{
    QString text;
    for (const ItemLine& line : lines)
        text += itemLineText(line);
    return text;
}

QStringList LineGrid::headerTexts()
{
    return { QStringLiteral("Qty"), QStringLiteral("Units"), QStringLiteral("Item") };
}

QString LineGrid::text(int row, int column) const
{
    if (column < 0 || column >= kLineGridColumns || row < 0 || row >= rowCount())
        return QString();
    if (row == 0)
        return headerTexts().at(column);
    const ItemLine& line = m_lines.at(row - 1);
    return column == 0 ? line.quantity : column == 1 ? line.units : line.item;
}

void LineGrid::setText(int row, int column, const QString& value)
{
    if (column < 0 || column >= kLineGridColumns || row < 1 || row >= rowCount())
        return;
    ItemLine& line = m_lines[row - 1];
    (column == 0 ? line.quantity : column == 1 ? line.units : line.item) = value;
}

void LineGrid::removeRow(int row)
{
    if (row >= 1 && row < rowCount())
        m_lines.removeAt(row - 1);
}

QStringList splitCategories(const QString& text)
{
    QStringList pieces = text.split(kLineEnd);
    pieces.removeLast();
    pieces.removeAll(QString());
    return pieces;
}

QString joinCategories(const QStringList& categories)
{
    QString text;
    for (const QString& c : categories)
        text += c + kLineEnd;
    return text;
}

QString composeRtgSrc(const QString& rating, const QString& source)
{
    return rating + QStringLiteral("~~") + source;
}

RatingSource splitRtgSrc(const QString& text)
{
    RatingSource out;
    if (text.size() <= 2 || text == QLatin1String("~~"))
        return out;
    const int at = static_cast<int>(text.indexOf(QLatin1String("~~")));
    if (at < 0) {
        out.source = text;
        return out;
    }
    out.rating = text.left(at);
    out.source = text.mid(at + 2);
    return out;
}
