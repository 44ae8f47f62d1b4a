#pragma once

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

// Scales a window's controls from their design geometry as the window is resized.
//
// record() notes the design place and size of every control below the root (children of frames are
// relative to their frame) and the root's design size. A control whose "tag" property reads "hidden" or
// "fixed" is not recorded and never moved. apply() places every recorded control for a new root size by
// its kind: list boxes, frames, images, grids, tab strips and multi-line text boxes scale in place and size;
// single-line text boxes and drop-downs scale in place and width and keep their height; buttons, labels and
// check boxes only move. Nothing moves while the window is smaller than the minimum (9000 x 6000 twips).
class ProportionalLayout : public QObject
{
    Q_OBJECT
public:
    enum class Kind { Move, ScaleWidth, ScaleBoth };
    // Twips per pixel at 96 dots per inch.
    static constexpr int TwipsPerPixel = 15;
    static constexpr int MinimumWidthTwips = 9000;
    static constexpr int MinimumHeightTwips = 6000;

    // root's controls are laid out; window (root's top-level window when nullptr) is measured for the minimum.
    explicit ProportionalLayout(QWidget* root, QWidget* window = nullptr);

    // Records the design geometry of every control, with designSize as the root's design size.
    void record(const QSize& designSize);
    // Once enabled, every resize of the root lays the controls out.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    // Lays the controls out for rootSize, when windowSize is at least the minimum. Returns false when the
    // window was too small and nothing moved.
    bool apply(const QSize& rootSize, const QSize& windowSize);

    // The kind a control is placed by.
    static Kind kindOf(const QWidget* control);
    // True when the control's tag keeps it out of the layout.
    static bool isExcluded(const QWidget* control);
    int recordedCount() const { return m_design.size(); }
    QRect designGeometry(const QWidget* control) const { return m_design.value(control); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recordChildren(QWidget* parent);

    QWidget* m_root;
    QWidget* m_window;
    QSize m_designSize;
    QHash<const QWidget*, QRect> m_design;
    QList<QPointer<QWidget>> m_controls;
    bool m_enabled = false;
};
