#pragma once

#include "recipes/RecipeEncodings.h"

#include <QString>
#include <QVector>

// The lines of an ingredient or nutrition field as the line editors change them (field text split and
// joined by the recipe encodings), with the editors' 40-line limit.
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
