#pragma once

#include <QScrollArea>

#include <memory>

class ReportPainter;

// The page view of the preview window (object name "vp"): shows the laid-out pages on a grey desk at a
// zoom percentage or in one of the zoom modes. Page numbers are 1-based.
class ReportPreview : public QScrollArea
{
    Q_OBJECT
public:
    enum ZoomMode { Percent, Thumbnail, TwoPages, WholePage, PageWidth };

    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    void setPages(std::shared_ptr<const ReportPainter> pages);
    int pageCount() const;
    int previewPage() const { return m_page; }
    // Shows the page (clamped to 1..pageCount).
    void setPreviewPage(int page);

    void setZoom(int percent);
    void setZoomMode(ZoomMode mode);
    ZoomMode zoomMode() const { return m_mode; }
    int zoom() const { return m_percent; }
    // Screen pixels per inch of paper at the present zoom.
    double pixelsPerInch() const;

Q_SIGNALS:
    // The page shown changed through the view itself (a click on a thumbnail).
    void pageClicked(int page);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Canvas;
    friend class Canvas;
    void relayout();
    // Pages drawn, with their rectangles on the canvas.
    QVector<QPair<int, QRect>> placedPages() const;

    Canvas* m_canvas;
    std::shared_ptr<const ReportPainter> m_pages;
    int m_page = 1;
    int m_percent = 100;
    ZoomMode m_mode = WholePage;
};
