#include "printing/ui/ReportPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double U = ReportPainter::Unit;
constexpr double CellPadX = 0.04 * U;
constexpr double CellPadY = 0.015 * U;
constexpr double PictureGap = 0.1 * U;

int alignFlags(ReportAlign align)
{
    switch (align) {
    case ReportAlign::Center:
        return Qt::AlignHCenter;
    case ReportAlign::Right:
        return Qt::AlignRight;
    case ReportAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Splits text into the lines that fit width: at blanks where possible, inside a word only when the word
// alone is wider than the line. Empty logical lines are kept as empty lines.
QStringList wrapText(const QString& text, const QFontMetricsF& fm, double width)
{
    QStringList out;
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList logical = normalized.split(QLatin1Char('\n'));
    for (QString rest : logical) {
        rest.replace(QLatin1Char('\t'), QLatin1Char(' '));
        if (rest.isEmpty()) {
            out << QString();
            continue;
        }
        while (!rest.isEmpty()) {
            if (fm.horizontalAdvance(rest) <= width) {
                out << rest;
                break;
            }
            int cut = -1;
            for (int i = rest.size() - 1; i > 0; --i) {
                if (rest.at(i) == QLatin1Char(' ') && fm.horizontalAdvance(rest.left(i)) <= width) {
                    cut = i;
                    break;
                }
            }
            if (cut > 0) {
                out << rest.left(cut);
                rest = rest.mid(cut + 1);
                while (rest.startsWith(QLatin1Char(' ')))
                    rest.remove(0, 1);
                continue;
            }
            int n = 1;
            while (n < rest.size() && fm.horizontalAdvance(rest.left(n + 1)) <= width)
                ++n;
            out << rest.left(n);
            rest = rest.mid(n);
        }
    }
    return out;
}

} // namespace

QFont ReportPainter::layoutFont(const QString& family, double points, bool bold)
{
    QFont font(family.isEmpty() ? QStringLiteral("Arial") : family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points / 72.0 * U))));
    font.setBold(bold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

class ReportPainter::Builder
{
public:
    Builder(const ReportDocument& doc, QVector<Page>& pages, ReportPainter& owner)
        : m_doc(doc)
        , m_pages(pages)
        , m_owner(owner)
        , m_paper(doc.paper())
    {
        m_left = m_paper.marginLeft * U;
        m_right = (m_paper.widthInches - m_paper.marginRight) * U;
        m_top = m_paper.marginTop * U;
        m_bottom = (m_paper.heightInches - m_paper.marginBottom) * U;
        if (m_bottom - m_top < 0.25 * U)
            m_bottom = m_top + 0.25 * U;
    }

    void run()
    {
        startPage();
        for (const ReportBlock& b : m_doc.blocks()) {
            if (b.belowPictures)
                clearPictures();
            switch (b.kind) {
            case ReportBlock::Paragraph:
                paragraph(b);
                break;
            case ReportBlock::Table:
                table(b);
                break;
            case ReportBlock::Picture:
                picture(b);
                break;
            case ReportBlock::PageBreak:
                startPage();
                break;
            }
        }
    }

private:
    Page& page() { return m_pages.last(); }

    void startPage()
    {
        m_pages.append(Page());
        m_y = m_top;
        m_floatTop = m_floatBottom = 0;
        if (!m_doc.hasHeader())
            return;
        const QFont font = layoutFont(QStringLiteral("Arial"), m_paper.customCard ? 7 : 8, false);
        const QFontMetricsF fm(font);
        const double h = fm.lineSpacing();
        const double y = std::max(0.08 * U, m_top / 2.0 - h / 2.0);
        const int number = m_pages.size();
        const int flags[3] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight };
        for (int part = 0; part < 3; ++part) {
            Item item;
            item.kind = Item::Text;
            item.rect = QRectF(m_left, y, m_right - m_left, h);
            item.font = font;
            item.flags = flags[part];
            item.text = m_doc.headerPart(part, number);
            if (!item.text.isEmpty())
                page().append(item);
        }
        const double ruleY = std::min(y + h + 0.03 * U, m_top - 0.02 * U);
        addLine(QLineF(m_left, ruleY, m_right, ruleY), 0.006 * U, true);
    }

    // Moves below a picture that is still beside the text on this page.
    void clearPictures()
    {
        if (m_floatBottom > m_floatTop)
            m_y = std::max(m_y, m_floatBottom);
        m_floatTop = m_floatBottom = 0;
    }

    void addLine(const QLineF& line, double width, bool light)
    {
        Item item;
        item.kind = Item::Line;
        item.line = line;
        item.lineWidth = width;
        item.lightLine = light;
        page().append(item);
    }

    // Right edge available to content lying between y and y + h (narrower beside a picture).
    double rightAt(double y, double h) const
    {
        if (m_floatBottom > m_floatTop && y < m_floatBottom && y + h > m_floatTop)
            return std::max(m_left + 0.5 * U, std::min(m_right, m_floatLeft));
        return m_right;
    }

    void ensureRoom(double h)
    {
        if (m_y + h > m_bottom && m_y > m_top)
            startPage();
    }

    void paragraph(const ReportBlock& b)
    {
        const QFont font = layoutFont(b.fontName, b.fontSize, b.bold);
        const QFontMetricsF fm(font);
        const double lh = fm.lineSpacing();
        if (b.bold && !b.text.trimmed().isEmpty()) {
            // A heading keeps a little air above it and is not left alone at the foot of a page.
            if (m_y > m_top)
                m_y += 0.06 * U;
            ensureRoom(lh * 4);
        }
        QString normalized = b.text;
        normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& logical : normalized.split(QLatin1Char('\n'))) {
            QString rest = logical;
            rest.replace(QLatin1Char('\t'), QLatin1Char(' '));
            do {
                ensureRoom(lh);
                const double width = rightAt(m_y, lh) - m_left;
                // The first wrapped line is always a prefix of the rest.
                const QString line = wrapText(rest, fm, width).value(0);
                rest = rest.mid(line.size());
                while (rest.startsWith(QLatin1Char(' ')))
                    rest.remove(0, 1);
                if (!line.isEmpty()) {
                    Item item;
                    item.kind = Item::Text;
                    item.rect = QRectF(m_left, m_y, width, lh);
                    item.font = font;
                    item.flags = alignFlags(b.align);
                    item.text = line;
                    page().append(item);
                }
                m_y += lh;
            } while (!rest.isEmpty());
        }
    }

    struct RowLayout
    {
        QVector<QStringList> lines;
        QVector<double> widths;
        double height = 0;
    };

    RowLayout layoutRow(const ReportBlock& b, const QStringList& cells, const QFontMetricsF& fm, double y) const
    {
        RowLayout row;
        double x = m_left;
        for (int c = 0; c < b.format.columns.size(); ++c) {
            double w = b.format.columns.at(c).widthInches * U;
            if (c == b.format.columns.size() - 1) {
                // The last column gives way to a picture beside it (estimated with one line of height).
                const double limit = rightAt(y, fm.lineSpacing() * 2) - x;
                if (limit < w && limit > 0.5 * U)
                    w = limit;
            }
            row.widths << w;
            const QStringList lines = wrapText(cells.value(c), fm, std::max(1.0, w - 2 * CellPadX));
            row.lines << lines;
            row.height = std::max(row.height, lines.size() * fm.lineSpacing());
            x += b.format.columns.at(c).widthInches * U;
        }
        row.height = std::max(row.height, fm.lineSpacing()) + 2 * CellPadY;
        return row;
    }

    void placeRow(const ReportBlock& b, const RowLayout& row, const QFont& font, double lineSpacing)
    {
        double x = m_left;
        for (int c = 0; c < row.lines.size(); ++c) {
            const double w = row.widths.at(c);
            double y = m_y + CellPadY;
            for (const QString& line : row.lines.at(c)) {
                if (!line.isEmpty()) {
                    Item item;
                    item.kind = Item::Text;
                    item.rect = QRectF(x + CellPadX, y, w - 2 * CellPadX, lineSpacing);
                    item.font = font;
                    item.flags = alignFlags(b.format.columns.at(c).align);
                    item.text = line;
                    page().append(item);
                }
                y += lineSpacing;
            }
            x += b.format.columns.at(c).widthInches * U;
        }
        m_y += row.height;
    }

    void table(const ReportBlock& b)
    {
        if (b.format.columns.isEmpty())
            return;
        const QFont font = layoutFont(b.fontName, b.fontSize, b.bold);
        const QFont headerFont = layoutFont(b.fontName, b.fontSize, true);
        const QFontMetricsF fm(font);
        const QFontMetricsF hfm(headerFont);
        const double tableRight = m_left + b.format.totalWidthInches() * U;
        const bool hasHeader = !b.header.isEmpty();

        auto placeHeader = [&]() {
            const RowLayout h = layoutRow(b, b.header, hfm, m_y);
            placeRow(b, h, headerFont, hfm.lineSpacing());
            addLine(QLineF(m_left, m_y, tableRight, m_y), 0.01 * U, false);
        };

        if (hasHeader) {
            const RowLayout h = layoutRow(b, b.header, hfm, m_y);
            const double first = b.rows.isEmpty() ? 0 : layoutRow(b, b.rows.first(), fm, m_y).height;
            ensureRoom(h.height + first);
            placeHeader();
        }
        for (const QStringList& cells : b.rows) {
            RowLayout row = layoutRow(b, cells, fm, m_y);
            if (m_y + row.height > m_bottom && m_y > m_top) {
                startPage();
                if (hasHeader)
                    placeHeader();
                row = layoutRow(b, cells, fm, m_y);
            }
            placeRow(b, row, font, fm.lineSpacing());
            if (!b.format.plain)
                addLine(QLineF(m_left, m_y, tableRight, m_y), 0.004 * U, true);
        }
        if (!b.format.plain)
            m_y += 0.05 * U;
    }

    void picture(const ReportBlock& b)
    {
        const double w = b.pictureWidth * U;
        const double h = b.pictureHeight * U;
        if (w <= 0 || h <= 0)
            return;
        if (m_y + h > m_bottom && m_y > m_top)
            startPage();
        QRectF box(b.pictureLeft * U, m_y, w, h);
        const QImage& img = m_owner.image(b.picturePath);
        if (!img.isNull()) {
            // Scaled into the box, keeping its proportions, against the box's top left corner.
            const QSizeF fitted = QSizeF(img.size()).scaled(box.size(), Qt::KeepAspectRatio);
            box.setSize(fitted);
        }
        Item item;
        item.kind = Item::Picture;
        item.rect = box;
        item.path = b.picturePath;
        page().append(item);
        m_floatTop = box.top();
        m_floatBottom = box.bottom() + PictureGap / 2;
        m_floatLeft = box.left() - PictureGap;
    }

    const ReportDocument& m_doc;
    QVector<Page>& m_pages;
    ReportPainter& m_owner;
    ReportPaper m_paper;
    double m_left = 0, m_right = 0, m_top = 0, m_bottom = 0;
    double m_y = 0;
    double m_floatTop = 0, m_floatBottom = 0, m_floatLeft = 0;
};

ReportPainter::ReportPainter(const ReportDocument& doc)
    : m_paper(doc.paper())
{
    Builder(doc, m_pages, *this).run();
}

QSizeF ReportPainter::pageSize() const
{
    return QSizeF(m_paper.widthInches * U, m_paper.heightInches * U);
}

const QImage& ReportPainter::image(const QString& path) const
{
    auto it = m_images.find(path);
    if (it == m_images.end()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        QImage img = reader.read();
        // Pictures are at most a few inches wide: keep them at a printing resolution, not a camera's.
        if (!img.isNull() && std::max(img.width(), img.height()) > 1200)
            img = img.scaled(1200, 1200, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        it = m_images.insert(path, img);
    }
    return it.value();
}

void ReportPainter::paintPage(QPainter& painter, int page, const QRectF& target) const
{
    if (page < 1 || page > m_pages.size())
        return;
    const QSizeF size = pageSize();
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    painter.setClipRect(QRectF(QPointF(0, 0), size));
    for (const Item& item : m_pages.at(page - 1)) {
        switch (item.kind) {
        case Item::Text:
            painter.setFont(item.font);
            painter.setPen(Qt::black);
            painter.drawText(item.rect, item.flags | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, item.text);
            break;
        case Item::Line:
            painter.setPen(QPen(item.lightLine ? QColor(150, 150, 150) : QColor(Qt::black), item.lineWidth));
            painter.drawLine(item.line);
            break;
        case Item::Picture: {
            const QImage& img = image(item.path);
            if (img.isNull()) {
                painter.setPen(QPen(QColor(170, 170, 170), 0.01 * U));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(item.rect);
                painter.setFont(layoutFont(QStringLiteral("Arial"), 8, false));
                painter.drawText(item.rect, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Picture not found"));
            } else {
                painter.drawImage(item.rect, img);
            }
            break;
        }
        }
    }
    painter.restore();
}

QImage ReportPainter::renderPage(int page, double dpi) const
{
    const QSize px(static_cast<int>(std::lround(m_paper.widthInches * dpi)),
                   static_cast<int>(std::lround(m_paper.heightInches * dpi)));
    QImage img(px, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    paintPage(painter, page, QRectF(QPointF(0, 0), QSizeF(px)));
    return img;
}

bool ReportPainter::paintPages(QPagedPaintDevice& device, int from, int to) const
{
    from = std::max(1, from);
    to = std::min(pageCount(), to);
    const double w = m_paper.widthInches;
    const double h = m_paper.heightInches;
    const QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Inch,
                         m_paper.customCard ? QStringLiteral("3x5 Card") : QString(), QPageSize::FuzzyMatch);
    device.setPageLayout(
        QPageLayout(size, w > h ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF target(0, 0, w * device.logicalDpiX(), h * device.logicalDpiY());
    for (int page = from; page <= to; ++page) {
        if (page > from)
            device.newPage();
        paintPage(painter, page, target);
    }
    return painter.end();
}

QStringList ReportPainter::pageTexts(int page) const
{
    QStringList out;
    for (const Item& item : m_pages.value(page - 1)) {
        if (item.kind == Item::Text)
            out << item.text;
    }
    return out;
}

QRectF ReportPainter::textBox(int page, const QString& text) const
{
    for (const Item& item : m_pages.value(page - 1)) {
        if (item.kind == Item::Text && item.text == text)
            return item.rect;
    }
    return QRectF();
}

QVector<QRectF> ReportPainter::pagePictures(int page) const
{
    QVector<QRectF> out;
    for (const Item& item : m_pages.value(page - 1)) {
        if (item.kind == Item::Picture)
            out << item.rect;
    }
    return out;
}

std::optional<RtfPicture> ReportPainter::pictureAsPng(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage img = reader.read();
    if (img.isNull())
        return std::nullopt;
    if (std::max(img.width(), img.height()) > 800)
        img = img.scaled(800, 800, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG"))
        return std::nullopt;
    RtfPicture pic;
    pic.png = png;
    pic.widthPx = img.width();
    pic.heightPx = img.height();
    return pic;
}
