#pragma once

#include <QString>
#include <QVector>

class Recordset;

// The settings shared with the handheld, one record per key in the preferences table held in AppState.

// Writes one value into the in-memory preferences table: nothing when newValue equals oldValue; otherwise
// the record of key (found with "like") gets the value, an unchanged record is marked changed, and a
// missing key gets a new record. Nothing reaches the file until SavePreferences.
void SetPreference(const QString& key, const QString& oldValue, const QString& newValue);
// The same on a given preferences recordset.
void SetPreference(Recordset& prefs, const QString& key, const QString& oldValue, const QString& newValue);

// Writes the held preferences table to its file; reports a failure through ShowError and returns false.
bool SavePreferences();

// Start-up clean-up of the preferences file before it is loaded: later live records of a key that equals the
// previous record's key are marked deleted for the conduit; lines shorter than 6 characters are dropped;
// header lines and lines already deleted stay as they are. The file is rewritten through a temporary file
// only when something changed. Returns false when the file could not be read or written (it is then left
// as it was).
bool CleanPreferenceFile(const QString& path);
// The same on the file's text (CR LF lines); returns the cleaned text.
QString cleanPreferenceText(const QString& text);

// The nine shared settings in the order the Preferences window shows and saves them.
struct PreferenceKey
{
    enum Kind { Flag, Choice, Number, Multiline };
    QString key;
    Kind kind;
    QString caption;
    // For Choice: the two values offered.
    QStringList choices;
    // What the window shows when the key is missing.
    QString missing;
};
const QVector<PreferenceKey>& preferenceKeys();

namespace PreferenceText {
// The control's value as text for a stored value: flags as "1"/"0" by the number value of the text, choices
// only when the value is one of the two (otherwise the missing-key value), equivalents with each stored
// backslash-"n" turned into a line break ("\n").
QString shown(const PreferenceKey& key, bool found, const QString& stored);
// The value to store for a control's text: the equivalents' line breaks become backslash-"n".
QString stored(const PreferenceKey& key, const QString& shown);
} // namespace PreferenceText
