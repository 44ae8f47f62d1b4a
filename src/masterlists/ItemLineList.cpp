#include "masterlists/ItemLineList.h"

ItemLineList ItemLineList::fromText(const QString& text)
{
    ItemLineList list;
    QStringList pieces = text.split(QLatin1Char('~'));
    pieces.removeLast(); // what follows the final "~" is not a line
    for (const QString& piece : pieces) {
        const QStringList cells = piece.split(QLatin1Char('|'));
        list.m_lines.append({ cells.value(0), cells.value(1), cells.value(2) });
    }
    return list;
}

QString ItemLineList::toText() const
{
    QString text;
    for (const ItemLine& line : m_lines)
        text += line.qty + QLatin1Char('|') + line.unit + QLatin1Char('|') + line.item + QLatin1Char('~');
    return text;
}

bool ItemLineList::append(const ItemLine& line)
{
    if (isFull())
        return false;
    m_lines.append(line);
    return true;
}

bool ItemLineList::replace(int row, const ItemLine& line)
{
    if (row < 0 || row >= count())
        return false;
    m_lines[row] = line;
    return true;
}

bool ItemLineList::remove(int row)
{
    if (row < 0 || row >= count())
        return false;
    m_lines.remove(row);
    return true;
}

int ItemLineList::move(int row, bool up)
{
    const int other = up ? row - 1 : row + 1;
    if (row < 0 || row >= count() || other < 0 || other >= count())
        return row;
    std::swap(m_lines[row], m_lines[other]);
    return other;
}
