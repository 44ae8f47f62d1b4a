#pragma once

#include <QString>

// The text with every "*" and "'" removed and all letters in lower case. Every key that is compared or
// searched for is made with it, so a key can stand inside a filter or find expression without quoting.
QString NormalizeForMatch(const QString& text);
