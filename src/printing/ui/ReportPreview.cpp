#include "printing/ui/ReportPreview.h"

#include "printing/ui/ReportPainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {
constexpr int Desk = 16; // grey space around and between pages
constexpr double ThumbWidth = 150; // pixels of a thumbnail's width
} // namespace

class ReportPreview::Canvas : public QWidget
{
public:
    explicit Canvas(ReportPreview* owner)
        : QWidget(owner)
        , m_owner(owner)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.fillRect(event->rect(), QColor(128, 128, 128));
        if (!m_owner->m_pages)
            return;
        for (const auto& [page, rect] : m_owner->placedPages()) {
            if (!rect.intersects(event->rect()))
                continue;
            p.fillRect(rect.translated(3, 3), QColor(70, 70, 70));
            p.fillRect(rect, Qt::white);
            m_owner->m_pages->paintPage(p, page, QRectF(rect));
            if (m_owner->m_mode == Thumbnail && page == m_owner->m_page) {
                p.setPen(QPen(palette().color(QPalette::Highlight), 3));
                p.drawRect(rect.adjusted(-2, -2, 2, 2));
            }
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        for (const auto& [page, rect] : m_owner->placedPages()) {
            if (rect.contains(event->position().toPoint()) && page != m_owner->m_page) {
                m_owner->setPreviewPage(page);
                Q_EMIT m_owner->pageClicked(page);
                return;
            }
        }
    }

private:
    ReportPreview* m_owner;
};

ReportPreview::ReportPreview(QWidget* parent)
    : QScrollArea(parent)
    , m_canvas(new Canvas(this))
{
    setObjectName(QStringLiteral("vp"));
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    QPalette desk = palette();
    desk.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(desk);
    setBackgroundRole(QPalette::Window);
    setMinimumSize(200, 200);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::setPages(std::shared_ptr<const ReportPainter> pages)
{
    m_pages = std::move(pages);
    m_page = std::clamp(m_page, 1, std::max(1, pageCount()));
    relayout();
}

int ReportPreview::pageCount() const
{
    return m_pages ? m_pages->pageCount() : 0;
}

void ReportPreview::setPreviewPage(int page)
{
    m_page = std::clamp(page, 1, std::max(1, pageCount()));
    relayout();
}

void ReportPreview::setZoom(int percent)
{
    m_mode = Percent;
    m_percent = std::clamp(percent, 5, 800);
    relayout();
}

void ReportPreview::setZoomMode(ZoomMode mode)
{
    m_mode = mode;
    relayout();
}

double ReportPreview::pixelsPerInch() const
{
    if (!m_pages)
        return 0;
    const ReportPaper& paper = m_pages->paper();
    const QSize view = viewport()->size();
    const double w = paper.widthInches;
    const double h = paper.heightInches;
    const int scrollBar = verticalScrollBar()->sizeHint().width();
    // Room for the desk around the page and the page's shadow, so that fitted modes need no scroll bar.
    const double spare = 2.0 * Desk + 8;
    switch (m_mode) {
    case Percent:
        return logicalDpiX() * m_percent / 100.0;
    case Thumbnail:
        return ThumbWidth / w;
    case TwoPages:
        return std::max(0.05, std::min((view.width() - spare - Desk) / (2 * w), (view.height() - spare) / h));
    case WholePage:
        return std::max(0.05, std::min((view.width() - spare) / w, (view.height() - spare) / h));
    case PageWidth:
        return std::max(0.05, (view.width() - spare - scrollBar) / w);
    }
    return logicalDpiX();
}

QVector<QPair<int, QRect>> ReportPreview::placedPages() const
{
    QVector<QPair<int, QRect>> out;
    if (!m_pages || pageCount() == 0)
        return out;
    const double ppi = pixelsPerInch();
    const QSize pageSize(static_cast<int>(std::lround(m_pages->paper().widthInches * ppi)),
                         static_cast<int>(std::lround(m_pages->paper().heightInches * ppi)));
    if (m_mode == Thumbnail) {
        const int perRow = std::max(1, (viewport()->width() - Desk) / (pageSize.width() + Desk));
        for (int i = 0; i < pageCount(); ++i) {
            const int x = Desk + (i % perRow) * (pageSize.width() + Desk);
            const int y = Desk + (i / perRow) * (pageSize.height() + Desk);
            out.append({ i + 1, QRect(QPoint(x, y), pageSize) });
        }
        return out;
    }
    out.append({ m_page, QRect(QPoint(Desk, Desk), pageSize) });
    if (m_mode == TwoPages && m_page < pageCount())
        out.append({ m_page + 1, QRect(QPoint(2 * Desk + pageSize.width(), Desk), pageSize) });
    return out;
}

void ReportPreview::relayout()
{
    QRect bounds;
    for (const auto& placed : placedPages())
        bounds = bounds.united(placed.second);
    m_canvas->resize(std::max(1, bounds.right() + Desk + 4), std::max(1, bounds.bottom() + Desk + 4));
    m_canvas->update();
}

void ReportPreview::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    relayout();
}
