#include "recipes/ui/TypeAhead.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

bool SuppressTypeAhead = false;

void ComboTypeAhead(QComboBox* box)
{
    if (SuppressTypeAhead) {
        SuppressTypeAhead = false;
        return;
    }
    if (!box || !box->isEditable() || !box->lineEdit())
        return;
    QLineEdit* edit = box->lineEdit();
    const QString typed = edit->text();
    if (typed.isEmpty())
        return;
    for (int i = 0; i < box->count(); ++i) {
        const QString entry = box->itemText(i);
        if (!entry.startsWith(typed, Qt::CaseInsensitive))
            continue;
        if (entry.size() > typed.size()) {
            const QString rest = entry.right(entry.size() - typed.size());
            // The completion is itself a change of the box; it must not be completed again.
            SuppressTypeAhead = true;
            edit->setText(typed + rest);
            edit->setSelection(static_cast<int>(typed.size()), static_cast<int>(rest.size()));
            // Handlers bound to user edits only never see the change above: do not leave the flag raised
            // for the next keystroke.
            SuppressTypeAhead = false;
        }
        return;
    }
}

void TypeAheadKeyDown(int key)
{
    if (key == Qt::Key_Delete || key == Qt::Key_Backspace)
        SuppressTypeAhead = true;
}

namespace {

// Watches the box itself: that is where a person's keys and the focus arrive. The handler returns true when
// it has dealt with the event.
class BoxEventHook : public QObject
{
public:
    using Handler = bool (*)(QComboBox* box, QEvent* event);
    BoxEventHook(QComboBox* box, Handler handler)
        : QObject(box)
        , m_handler(handler)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && box->lineEdit() && m_handler(box, event))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    Handler m_handler;
};

bool noteRemovingKey(QComboBox* box, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key that removes nothing causes no change, so it must not hold the flag for the next one.
    const QLineEdit* edit = box->lineEdit();
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool removes = edit->hasSelectedText() || (key == Qt::Key_Backspace && edit->cursorPosition() > 0)
        || (key == Qt::Key_Delete && edit->cursorPosition() < edit->text().size());
    if (removes)
        TypeAheadKeyDown(key);
    return false;
}

bool deselectOnFocus(QComboBox* box, QEvent* event)
{
    if (event->type() != QEvent::FocusIn)
        return false;
    // Let the box take the focus as it does (its line edit selects everything on Tab), then undo the
    // selection before anything else sees the box.
    static_cast<QObject*>(box)->event(event);
    box->lineEdit()->deselect();
    return true;
}

} // namespace

void installTypeAhead(QComboBox* box, bool withKeyDown)
{
    if (!box)
        return;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    QLineEdit* edit = box->lineEdit();
    QObject::connect(edit, &QLineEdit::textEdited, box, [box] { ComboTypeAhead(box); });
    if (withKeyDown)
        new BoxEventHook(box, &noteRemovingKey);
}

void selectNothingOnFocus(QComboBox* box)
{
    if (box)
        new BoxEventHook(box, &deselectOnFocus);
}
