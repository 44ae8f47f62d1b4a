#pragma once

#include <QString>

#include <functional>

// The two settings of the printed reports, in section "Main" of the settings file: "PrintRange" ("1" for
// the selected recipes, else "0") and "PrintNewPage" ("1" or "0"), both "0" when missing.
//
// By default they are read from and written to the settings file named by AppState::settingsPath. The
// application's settings service (or a test) can take them over with setStore().
namespace PrintSettings {

using Reader = std::function<QString(const QString& key, const QString& missing)>;
using Writer = std::function<void(const QString& key, const QString& value)>;

// Routes reads and writes through the given functions; empty functions restore the default file access.
void setStore(Reader reader, Writer writer);

QString read(const QString& key, const QString& missing);
void write(const QString& key, const QString& value);

bool newPage();
bool selectedRange();
void setNewPage(bool on);
void setSelectedRange(bool selected);

} // namespace PrintSettings
