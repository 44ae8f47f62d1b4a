#pragma once

#include <QString>
#include <QVector>

// One line of a recipe's ingredients or nutrition: quantity, units, item.
struct ItemLine
{
    QString qty;
    QString unit;
    QString item;
    bool operator==(const ItemLine& o) const { return qty == o.qty && unit == o.unit && item == o.item; }
};

// The lines of an ingredient or nutrition field as the line editors handle them.
//
// Field text: every line written as quantity "|" units "|" item "~". Splitting takes every piece before the
// last "~" (text after it is not a line), cells beyond the third are dropped and missing cells are empty.
class ItemLineList
{
public:
    // At most this many lines through the editors.
    static constexpr int kMaxLines = 40;

    ItemLineList() = default;
    static ItemLineList fromText(const QString& text);
    QString toText() const;

    int count() const { return m_lines.size(); }
    bool isFull() const { return count() >= kMaxLines; }
    const ItemLine& at(int row) const { return m_lines.at(row); }
    const QVector<ItemLine>& lines() const { return m_lines; }

    // Appends a line; false when the list is full.
    bool append(const ItemLine& line);
    // Replaces a line; false for a row out of range.
    bool replace(int row, const ItemLine& line);
    // Removes a line; false for a row out of range.
    bool remove(int row);
    // Swaps a line with its neighbour above (up) or below; returns the line's new row, or row itself when it
    // cannot move (first line up, last line down, out of range).
    int move(int row, bool up);

private:
    QVector<ItemLine> m_lines;
};
