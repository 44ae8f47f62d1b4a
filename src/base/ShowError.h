#pragma once

#include "base/AppError.h"

#include <QString>

#include <exception>

// Support contacts named in error messages.
namespace Support {
inline const QString WebSite = QStringLiteral("www.zestoraplus.com/support");
inline const QString Email = QStringLiteral("support@zestoraplus.com");
} // namespace Support

// The CR LF line end used in every message and file text.
inline const QString CRLF = QStringLiteral("\r\n");

// Composes the text of the shared error message for an action ("loading", "adding to the shopping list")
// and an optional detail.
QString errorMessageText(const QString& action, const QString& detail, int number, const QString& description);

// The shared error reporter: shows the composed text in a message box titled "Error" with an OK button.
void ShowError(const QString& action, const QString& detail, const AppError& error);
// As above for any exception: an AppError keeps its number; anything else is reported as error 51.
void ShowError(const QString& action, const QString& detail, const std::exception& error);
