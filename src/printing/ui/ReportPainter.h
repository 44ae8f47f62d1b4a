#pragma once

#include "printing/ReportDocument.h"
#include "printing/RtfWriter.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QVector>

class QPainter;
class QPagedPaintDevice;

// Lays a ReportDocument out into pages and paints them with QPainter, the same way on the screen, on a
// printer and into a PDF.
//
// Layout works in a device-independent unit of 1/1200 inch with pixel-sized fonts, so the page breaks and
// line breaks do not depend on the device that paints them. Paragraphs wrap at word boundaries to the
// width between the margins (narrower beside a picture); tables place their columns from the left margin,
// wrap cell text inside each column, break between rows and repeat their header row at the top of each
// further page; each page carries the running page text in its top margin, with "%d" as its number.
class ReportPainter
{
public:
    static constexpr double Unit = 1200.0; // layout units per inch

    explicit ReportPainter(const ReportDocument& doc);

    int pageCount() const { return m_pages.size(); }
    const ReportPaper& paper() const { return m_paper; }
    // Size of a page in layout units.
    QSizeF pageSize() const;

    // Paints page number page (1-based) so that it fills target (device coordinates of the painter).
    void paintPage(QPainter& painter, int page, const QRectF& target) const;
    // A picture of one page at the given resolution.
    QImage renderPage(int page, double dpi) const;
    // Paints pages from..to (1-based, clamped to the document) onto a printer or PDF writer, setting its
    // page size to the report's paper with no margins of its own. Returns false when painting cannot start.
    bool paintPages(QPagedPaintDevice& device, int from, int to) const;

    // Texts on a page in paint order (running page text first); for tests.
    QStringList pageTexts(int page) const;
    // The box of the first text on a page that equals text, in layout units (empty when none); for tests.
    QRectF textBox(int page, const QString& text) const;
    // The picture boxes of a page in layout units; for tests.
    QVector<QRectF> pagePictures(int page) const;

    // A font of the given family, size in points and weight, sized for the layout unit.
    static QFont layoutFont(const QString& family, double points, bool bold);
    // Loads any picture file Qt can read and returns it as PNG, for the RTF writer.
    static std::optional<RtfPicture> pictureAsPng(const QString& path);

private:
    struct Item
    {
        enum Kind { Text, Line, Picture };
        Kind kind = Text;
        QRectF rect;
        QLineF line;
        QFont font;
        int flags = 0;
        QString text;
        QString path;
        double lineWidth = 0;
        bool lightLine = false;
    };
    using Page = QVector<Item>;

    class Builder;
    const QImage& image(const QString& path) const;

    ReportPaper m_paper;
    QVector<Page> m_pages;
    mutable QHash<QString, QImage> m_images;
};
