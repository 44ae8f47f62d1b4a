#include "shell/ui/ProportionalLayout.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <cmath>

ProportionalLayout::ProportionalLayout(QWidget* root, QWidget* window)
    : QObject(root)
    , m_root(root)
    , m_window(window ? window : root->window())
{
    root->installEventFilter(this);
}

bool ProportionalLayout::isExcluded(const QWidget* control)
{
    const QString tag = control->property("tag").toString();
    return tag == QLatin1String("hidden") || tag == QLatin1String("fixed");
}

ProportionalLayout::Kind ProportionalLayout::kindOf(const QWidget* w)
{
    // Most specific classes first: text boxes, lists and labels are frames too.
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w))
        return Kind::ScaleWidth;
    if (qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w)
        || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTabBar*>(w)
        || qobject_cast<const QTabWidget*>(w) || qobject_cast<const QGroupBox*>(w))
        return Kind::ScaleBoth;
    if (qobject_cast<const QLabel*>(w))
        return w->property("kind").toString() == QLatin1String("image") ? Kind::ScaleBoth : Kind::Move;
    if (qobject_cast<const QAbstractButton*>(w))
        return Kind::Move;
    if (qobject_cast<const QFrame*>(w))
        return Kind::ScaleBoth;
    return Kind::Move;
}

void ProportionalLayout::recordChildren(QWidget* parent)
{
    const auto children = parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow() || child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (isExcluded(child))
            continue;
        m_design.insert(child, child->geometry());
        m_controls << child;
        // Frames hold controls of their own, placed relative to the frame.
        const bool container = (qobject_cast<QFrame*>(child) && kindOf(child) == Kind::ScaleBoth
                                && !qobject_cast<QAbstractItemView*>(child) && !qobject_cast<QPlainTextEdit*>(child)
                                && !qobject_cast<QTextEdit*>(child) && !qobject_cast<QLabel*>(child))
            || qobject_cast<QGroupBox*>(child);
        if (container)
            recordChildren(child);
    }
}

void ProportionalLayout::record(const QSize& designSize)
{
    m_design.clear();
    m_controls.clear();
    m_designSize = designSize;
    recordChildren(m_root);
}

bool ProportionalLayout::apply(const QSize& rootSize, const QSize& windowSize)
{
    if (m_designSize.isEmpty())
        return false;
    if (windowSize.width() * TwipsPerPixel < MinimumWidthTwips
        || windowSize.height() * TwipsPerPixel < MinimumHeightTwips)
        return false;
    const double x = double(rootSize.width()) / m_designSize.width();
    const double y = double(rootSize.height()) / m_designSize.height();
    auto sx = [x](int v) { return int(std::lround(v * x)); };
    auto sy = [y](int v) { return int(std::lround(v * y)); };
    for (const QPointer<QWidget>& control : std::as_const(m_controls)) {
        if (!control)
            continue;
        const QRect d = m_design.value(control.data());
        QRect r(sx(d.left()), sy(d.top()), d.width(), d.height());
        switch (kindOf(control)) {
        case Kind::ScaleBoth:
            r.setSize(QSize(sx(d.width()), sy(d.height())));
            break;
        case Kind::ScaleWidth:
            r.setWidth(sx(d.width()));
            break;
        case Kind::Move:
            break;
        }
        control->setGeometry(r);
    }
    return true;
}

bool ProportionalLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_root && event->type() == QEvent::Resize && m_enabled)
        apply(m_root->size(), m_window->size());
    return QObject::eventFilter(watched, event);
}
