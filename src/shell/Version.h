#pragma once

#include <QString>

// The program's version as shown on the splash and about windows.
namespace Version {
inline const QString Number = QStringLiteral("4.4.7");
inline const QString Caption = QStringLiteral("Version: ");
inline const QString WebSite = QStringLiteral("https://www.zestoraplus.com/");
inline const QString UpdatePage = QStringLiteral("https://www.zestoraplus.com/download/");
inline const QString MoreRecipesPage = QStringLiteral("https://www.zestoraplus.com/recipes/");
} // namespace Version
