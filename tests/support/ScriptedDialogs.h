#pragma once

#include "base/Dialogs.h"

#include <QQueue>
#include <QString>
#include <QVector>

// A dialog backend for tests. It answers from queues and records every box and dialog shown. A message
// box or file dialog with no answer queued fails the running test (and answers Cancel / empty), so no
// test ever blocks on a modal dialog. Installs itself on construction and restores the previous backend
// on destruction.
class ScriptedDialogs : public DialogBackend
{
public:
    struct Shown
    {
        QString kind; // "message", "open", "save", "folder"
        QString title;
        QString text; // message text, or the filter of a file dialog
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
    };

    ScriptedDialogs() { Dialogs::setBackend(this); }
    ~ScriptedDialogs() override { Dialogs::setBackend(m_previous); }

    // Queues the answer of the next message box.
    void answer(MsgAnswer answer) { m_answers.enqueue(answer); }
    // Queues the result of the next file or folder dialog (empty = cancelled).
    void choosePath(const QString& path) { m_paths.enqueue(path); }

    const QVector<Shown>& shown() const { return m_shown; }
    // The last message shown; an empty record when none was.
    Shown last() const { return m_shown.isEmpty() ? Shown {} : m_shown.last(); }
    int messageCount() const;
    void clear() { m_shown.clear(); }
    // True when every queued answer was used.
    bool exhausted() const { return m_answers.isEmpty() && m_paths.isEmpty(); }

    MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon) override;
    QString openFile(const QString& title, const QString& filter, const QString&) override
    {
        return nextPath(QStringLiteral("open"), title, filter);
    }
    QString saveFile(const QString& title, const QString& filter, const QString&) override
    {
        return nextPath(QStringLiteral("save"), title, filter);
    }
    QString chooseFolder(const QString& title, const QString&) override
    {
        return nextPath(QStringLiteral("folder"), title, QString());
    }

private:
    QString nextPath(const QString& kind, const QString& title, const QString& filter);

    DialogBackend* m_previous = Dialogs::backend();
    QQueue<MsgAnswer> m_answers;
    QQueue<QString> m_paths;
    QVector<Shown> m_shown;
};
