#include "base/ShowError.h"

#include "base/Dialogs.h"

QString errorMessageText(const QString& action, const QString& detail, int number, const QString& description)
{
    QString text = QStringLiteral("An error occurred while ") + action + QStringLiteral(".") + CRLF + CRLF
        + QStringLiteral("ErrorCode = ") + QStringLiteral(" %1").arg(number) + QStringLiteral(" (") + description
        + QStringLiteral(")");
    if (!detail.isEmpty())
        text += CRLF + CRLF + detail;
    text += CRLF + CRLF + QStringLiteral("If you continue to get this error,") + CRLF + QStringLiteral("check ")
        + Support::WebSite + QStringLiteral(" for support on this product.") + CRLF + CRLF
        + QStringLiteral("If a solution cannot be found online,") + CRLF
        + QStringLiteral("then e-mail tech support at ") + Support::Email + QStringLiteral(".");
    return text;
}

void ShowError(const QString& action, const QString& detail, const AppError& error)
{
    Dialogs::message(QStringLiteral("Error"), errorMessageText(action, detail, error.number(), error.description()),
                     MsgButtons::Ok, MsgIcon::Critical);
}

void ShowError(const QString& action, const QString& detail, const std::exception& error)
{
    if (const auto* app = dynamic_cast<const AppError*>(&error)) {
        ShowError(action, detail, *app);
        return;
    }
    ShowError(action, detail, AppError(51, QStringLiteral("Internal error: ") + QString::fromLocal8Bit(error.what())));
}
