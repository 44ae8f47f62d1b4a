#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Horizontal placement of a paragraph or a table cell.
enum class ReportAlign { Left, Center, Right };

// One column of a report table: width in inches and alignment of its cells.
struct ReportColumn
{
    double widthInches = 0.0;
    ReportAlign align = ReportAlign::Left;
    bool operator==(const ReportColumn& o) const { return widthInches == o.widthInches && align == o.align; }
};

// A parsed column format string such as "<+0.8in|<+1.0in|<+4.7in~".
//
// Columns are separated by "|". Each column is an optional run of flags, then a width: "<" left, "^"
// centre, ">" right ("=" is read as left), "+" lets the cell text wrap (cells always wrap here, so it is
// accepted and ignored); the width is a number followed by "in", "cm", "mm" or "pt", or a bare number of
// twips (1/1440 inch). A final "~" marks a plain table: no header row, no rules, as used for the lists of a
// recipe. Malformed columns are kept with a width of 1 inch so that no cell text is ever lost.
struct ReportTableFormat
{
    QVector<ReportColumn> columns;
    bool plain = false;

    static ReportTableFormat parse(const QString& format);
    double totalWidthInches() const;
};

// Paper of a report: size and margins in inches.
struct ReportPaper
{
    double widthInches = 8.5;
    double heightInches = 11.0;
    double marginLeft = 0.75;
    double marginRight = 0.75;
    double marginTop = 0.75;
    double marginBottom = 0.75;
    // True for the 3x5 index card, whose page size no printer knows by name.
    bool customCard = false;

    static ReportPaper letter() { return ReportPaper {}; }
    // A 5 in x 3 in card: 0.6 in at the top for the running page text, no other margin (what the printer
    // cannot reach at the card's edges is the printer's business).
    static ReportPaper indexCard();
    double contentWidth() const { return widthInches - marginLeft - marginRight; }
    bool operator==(const ReportPaper& o) const;
};

// One recorded operation of a report.
struct ReportBlock
{
    enum Kind { Paragraph, Table, Picture, PageBreak };
    Kind kind = Paragraph;

    // Paragraph: text (line breaks as CR LF or LF) in the font, size, weight and alignment then in force.
    QString text;
    QString fontName;
    double fontSize = 10.0;
    bool bold = false;
    ReportAlign align = ReportAlign::Left;

    // Table: columns, header cells (empty for a plain table) and body rows, drawn in the font then in force.
    ReportTableFormat format;
    QStringList header;
    QVector<QStringList> rows;

    // Picture: file path, and a box with its left edge measured from the paper's left edge, drawn at the
    // current vertical position without moving it (text and tables keep clear of it while beside it).
    QString picturePath;
    double pictureLeft = 0.0;
    double pictureWidth = 0.0;
    double pictureHeight = 0.0;

    // Set on a block that starts below every picture drawn before it, rather than beside one.
    bool belowPictures = false;
};

// A composed report: the sequence of operations that the preview, the printer, the PDF and the RTF writer
// all render. Built through the methods below in the order the report is composed; the current font, weight
// and alignment are carried into each paragraph and table recorded after they are set.
class ReportDocument
{
public:
    void setDocName(const QString& name) { m_docName = name; }
    QString docName() const { return m_docName; }

    // Clears every block and resets font and alignment; the paper and document name stay.
    void startDoc();
    void endDoc() { m_ended = true; }
    bool ended() const { return m_ended; }

    void setPaper(const ReportPaper& paper) { m_paper = paper; }
    const ReportPaper& paper() const { return m_paper; }

    void setFontName(const QString& name) { m_fontName = name; }
    void setFontSize(double points) { m_fontSize = points; }
    void setFontBold(bool bold) { m_bold = bold; }
    void setTextAlign(ReportAlign align) { m_align = align; }
    QString fontName() const { return m_fontName; }
    double fontSize() const { return m_fontSize; }
    bool fontBold() const { return m_bold; }

    // The running page text: left, centre and right parts separated by "|"; "%d" stands for the page number.
    void setHeader(const QString& text);
    QString headerPart(int part) const { return m_header.value(part); }
    // A part with "%d" replaced by the page number.
    QString headerPart(int part, int page) const;
    bool hasHeader() const;

    void paragraph(const QString& text);
    // A table whose rows are given as cells; rows shorter than the format are padded, longer ones cut.
    void addTable(const QString& format, const QStringList& header, const QVector<QStringList>& rows);
    // A table whose header and body are given as text: cells separated by "|", body rows by "~" (a final
    // "~" ends the last row and adds none).
    void addTable(const QString& format, const QString& header, const QString& body);
    void drawPicture(const QString& path, double leftInches, double widthInches, double heightInches);
    // The next block recorded starts below any picture still beside the text (a new section of the report).
    void clearPictures() { m_belowPictures = true; }
    void newPage();

    const QVector<ReportBlock>& blocks() const { return m_blocks; }
    // Number of explicit page breaks recorded.
    int pageBreakCount() const;
    // Every text of the document (paragraphs, header and body cells) in order; for searches and tests.
    QStringList texts() const;

    // Splits body text into rows of cells as addTable() does.
    static QVector<QStringList> splitBody(const QString& body);

private:
    ReportBlock styled(ReportBlock::Kind kind) const;
    void append(ReportBlock block);

    QString m_docName;
    ReportPaper m_paper;
    QStringList m_header;
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10.0;
    bool m_bold = false;
    ReportAlign m_align = ReportAlign::Left;
    bool m_ended = false;
    bool m_belowPictures = false;
    QVector<ReportBlock> m_blocks;
};
