#pragma once

#include <QString>

#include <optional>

// The desktop settings file (zestoraplus.ini beside the program): INI sections and key=value lines, read and
// written one key at a time. Values are stored exactly as given (no quoting or escaping, so Windows paths
// with backslashes survive); leading and trailing blanks of a value are not kept.
namespace Settings {

// The value of key in section of the file at path, or defaultValue when the file, the section or the key is
// missing or the file cannot be read. Lines that are not "key=value", "[section]" or comments are ignored.
QString read(const QString& path, const QString& section, const QString& key, const QString& defaultValue);

// Sets one key and writes the whole file back through a temporary file, keeping the other keys and the
// comments; a missing file is created. Returns the reason on failure; the old file is then untouched. An
// existing file that cannot be read is never overwritten.
std::optional<QString> write(const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace Settings

// The settings of the running program, in the file named by AppState::settingsPath.
QString ReadSetting(const QString& section, const QString& key, const QString& defaultValue = QString());
// On failure shows "An error occurred while writing to the ini file." (OK, the program's title) and returns
// false; callers go on either way.
bool WriteSetting(const QString& section, const QString& key, const QString& value);

// True when path names an existing file or folder, or, when its last part holds "*", when at least one file
// matches that pattern. False when the test itself fails.
bool FileExists(const QString& path);
