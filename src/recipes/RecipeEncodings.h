#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// The packed recipe fields. The handheld reads and writes the same texts, so these forms are fixed:
//   item-line text   «quantity|units|item~» per line, every line ending with "~", nothing escaped;
//   category text    «name~» per category;
//   RtgSrc           rating + "~~" + source, always with the separator.

// Number of columns of an ingredient or nutrition line grid: quantity, units, item.
constexpr int kLineGridColumns = 3;

// The single index of a grid cell: row × 3 + column. Row 0 is the header row.
constexpr int gridIndex(int row, int column)
{
    return row * kLineGridColumns + column;
}

// One ingredient or nutrition line.
struct ItemLine
{
    QString quantity;
    QString units;
    QString item;
    bool operator==(const ItemLine& o) const { return quantity == o.quantity && units == o.units && item == o.item; }
};

// The lines of item-line text as stored, without their "~": every piece before the last "~" (text after the
// last "~" is dropped). Two "~" in a row give an empty line.
QStringList itemLineTexts(const QString& text);
// One stored line's "|" parts as quantity, units and item; missing parts stay empty, parts beyond the third
// are dropped.
ItemLine splitItemLine(const QString& lineText);
// Splits item-line text into lines: splitItemLine of each of itemLineTexts.
QVector<ItemLine> splitItemLines(const QString& text);
// One line as stored: «quantity|units|item~».
QString itemLineText(const ItemLine& line);
// Joins lines as «quantity|units|item~» each; no lines give the empty text.
QString joinItemLines(const QVector<ItemLine>& lines);

// The three-column line grid with its fixed header row ("Qty", "Units", "Item") at row 0 and one line per
// following row. Cells are addressed by row and column or by gridIndex.
class LineGrid
{
public:
    LineGrid() = default;
    explicit LineGrid(const QVector<ItemLine>& lines)
        : m_lines(lines)
    {
    }

    static QStringList headerTexts();

    // Rows including the header row; 1 for a grid without lines.
    int rowCount() const { return static_cast<int>(m_lines.size()) + 1; }
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    // Cell text; the header row gives the header captions. Out-of-range cells read empty.
    QString text(int row, int column) const;
    QString cell(int index) const { return text(index / kLineGridColumns, index % kLineGridColumns); }
    // Sets a data cell (row >= 1); out-of-range cells are ignored.
    void setText(int row, int column, const QString& value);
    void setCell(int index, const QString& value)
    {
        setText(index / kLineGridColumns, index % kLineGridColumns, value);
    }

    // Appends a line as a new last row.
    void addLine(const ItemLine& line) { m_lines.append(line); }
    // Removes a data row (row >= 1).
    void removeRow(int row);
    // Cuts the grid back to its header row.
    void clear() { m_lines.clear(); }

    const QVector<ItemLine>& lines() const { return m_lines; }
    QString toText() const { return joinItemLines(m_lines); }
    void setFromText(const QString& text) { m_lines = splitItemLines(text); }

private:
    QVector<ItemLine> m_lines;
};

// Categories of category list text in order, empty pieces skipped, text after the last "~" dropped.
QStringList splitCategories(const QString& text);
// Each category followed by "~".
QString joinCategories(const QStringList& categories);

struct RatingSource
{
    QString rating;
    QString source;
};
// rating + "~~" + source.
QString composeRtgSrc(const QString& rating, const QString& source);
// Empty, "~~" or a text of at most 2 characters gives both empty. Otherwise the text before the first
// "~~" is the rating and the text after it the source. A text without "~~" (never written by this
// program) is shown whole as the source, so nothing stored is hidden.
RatingSource splitRtgSrc(const QString& text);
