#include "masterlists/ItemLineList.h"

ItemLineList ItemLineList::fromText(const QString& text)
{
    ItemLineList list;
    list.m_lines = splitItemLines(text);
    return list;
}

QString ItemLineList::toText() const
{
    return joinItemLines(m_lines);
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
