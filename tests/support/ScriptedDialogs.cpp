#include "ScriptedDialogs.h"

#include <QTest>

int ScriptedDialogs::messageCount() const
{
    int n = 0;
    for (const Shown& s : m_shown)
        n += s.kind == QLatin1String("message");
    return n;
}

MsgAnswer ScriptedDialogs::message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon)
{
    m_shown.append({ QStringLiteral("message"), title, text, buttons, icon });
    if (m_answers.isEmpty()) {
        const QByteArray what = QStringLiteral("message box with no answer queued: [%1] %2").arg(title, text).toUtf8();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
        return MsgAnswer::Cancel;
    }
    return m_answers.dequeue();
}

QString ScriptedDialogs::nextPath(const QString& kind, const QString& title, const QString& filter)
{
    m_shown.append({ kind, title, filter });
    if (m_paths.isEmpty()) {
        const QByteArray what = QStringLiteral("%1 dialog with no answer queued: %2").arg(kind, title).toUtf8();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
        return QString();
    }
    return m_paths.dequeue();
}
