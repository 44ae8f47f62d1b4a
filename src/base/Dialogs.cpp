#include "base/Dialogs.h"

#include <cstdio>

namespace {
DialogBackend* g_backend = nullptr;

StderrDialogs& fallback()
{
    static StderrDialogs instance;
    return instance;
}
} // namespace

QString Dialogs::applicationTitle()
{
    return QStringLiteral("Zestora Plus");
}

void Dialogs::setBackend(DialogBackend* backend)
{
    g_backend = backend;
}

DialogBackend* Dialogs::backend()
{
    return g_backend ? g_backend : &fallback();
}

MsgAnswer Dialogs::message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon)
{
    return backend()->message(title.isEmpty() ? applicationTitle() : title, text, buttons, icon);
}

QString Dialogs::openFile(const QString& title, const QString& filter, const QString& initialPath)
{
    return backend()->openFile(title, filter, initialPath);
}

QString Dialogs::saveFile(const QString& title, const QString& filter, const QString& initialPath)
{
    return backend()->saveFile(title, filter, initialPath);
}

QString Dialogs::chooseFolder(const QString& title, const QString& initialFolder)
{
    return backend()->chooseFolder(title, initialFolder);
}

MsgAnswer StderrDialogs::message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), out.toUtf8().constData());
    std::fflush(stderr);
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::AbortRetryIgnore:
        return MsgAnswer::Abort;
    default:
        return MsgAnswer::Ok;
    }
}
