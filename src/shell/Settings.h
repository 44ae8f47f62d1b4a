#pragma once

#include <QPair>
#include <QString>
#include <QVector>

#include <optional>

// The desktop settings file: INI sections and key=value lines, read and written one key at a time. Section
// and key names match without regard to letter case; values are UTF-8, stored exactly as given (no quoting or
// escaping, so Windows paths with backslashes survive); leading and trailing blanks of a value are not kept.
// Writing a key edits the file in place: only that key's value changes (or one line is added), and every
// other byte (comments, blank lines, blanks around "=", the file's CR LF or LF line ends) stays as it was.
namespace Settings {

// The value of key in section of the file at path, or defaultValue when the file, the section or the key is
// missing or the file cannot be read. Lines that are not "key=value", "[section]" or comments are ignored;
// when a key appears more than once in its section, the first one counts.
QString read(const QString& path, const QString& section, const QString& key, const QString& defaultValue);

// Sets one key and writes the file back through a temporary file. An existing key gets the new value in its
// own line; a missing key is added after the last key line of its section (right after the section line
// when it has none); a missing section is added at the end of the file with the key; a missing file is
// created. Returns the reason on failure; the old file is then untouched. An existing file that cannot be
// read is never overwritten, and a value holding a line break is refused.
std::optional<QString> write(const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace Settings

// The settings of the running program, in the file named by AppState::settingsPath.
QString ReadSetting(const QString& section, const QString& key, const QString& defaultValue = QString());
// On failure shows "An error occurred while writing to the ini file." (OK, the program's title) and returns
// false; callers go on either way.
bool WriteSetting(const QString& section, const QString& key, const QString& value);
// Writes several keys of one section, each one attempted whatever became of the others; the failure
// message is shown once, at the first key that could not be written. True when all were written.
bool WriteSettings(const QString& section, const QVector<QPair<QString, QString>>& keysAndValues);

// True when path names an existing file or folder, or, when its last part holds "*", when at least one file
// matches that pattern. False when the test itself fails.
bool FileExists(const QString& path);
