#include "shell/Preferences.h"

#include "shell/AppState.h"
#include "storage/Cp1252.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"

#include <QFile>

void SetPreference(Recordset& rs, const QString& key, const QString& oldValue, const QString& newValue)
{
    if (newValue == oldValue)
        return;
    if (rs.recordCount() > 0)
        rs.moveFirst();
    if (!rs.find(QStringLiteral("PrefsKey like '") + key + QStringLiteral("'"))) {
        RecordStatus::addNew(rs);
        rs.setValue(QStringLiteral("PrefsKey"), key);
    } else {
        RecordStatus::markChanged(rs);
    }
    rs.setValue(QStringLiteral("PrefsStr1"), newValue);
    rs.update();
}

void SetPreference(const QString& key, const QString& oldValue, const QString& newValue)
{
    AppState& state = AppState::instance();
    if (!state.prefs)
        return;
    SetPreference(state.prefs->recordset(), key, oldValue, newValue);
}

bool SavePreferences()
{
    AppState& state = AppState::instance();
    return !state.prefs || state.prefs->save();
}

namespace {

// The key of a record line: from two characters after the first comma that is followed by a double quote,
// up to the next "," between quotes.
QString lineKey(const QString& line)
{
    const int comma = line.indexOf(QLatin1String(",\""));
    if (comma < 0)
        return QString();
    const int start = comma + 2;
    const int end = line.indexOf(QLatin1String("\",\""), start);
    return end < 0 ? line.mid(start) : line.mid(start, end - start);
}

// Marks a record line deleted. Only the status field (the second) is touched, so a value that happens to
// contain a status word is kept.
QString markDeleted(const QString& line)
{
    const int first = line.indexOf(QLatin1Char(','));
    if (first < 0)
        return line;
    const int second = line.indexOf(QLatin1Char(','), first + 1);
    const QString status = line.mid(first + 1, second < 0 ? -1 : second - first - 1);
    if (second < 0
        || (status != RecordStatus::Unchanged && status != RecordStatus::Changed && status != RecordStatus::New))
        return line;
    return line.left(first + 1) + RecordStatus::Deleted + line.mid(second);
}

} // namespace

QString cleanPreferenceText(const QString& text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QStringList kept;
    QString previousKey;
    bool havePrevious = false;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('#')) || line.contains(RecordStatus::Deleted)) {
            kept << line;
            continue;
        }
        if (line.size() < 6)
            continue;
        const QString key = lineKey(line);
        kept << (havePrevious && key == previousKey ? markDeleted(line) : line);
        previousKey = key;
        havePrevious = true;
    }
    return kept.join(QStringLiteral("\r\n"));
}

bool CleanPreferenceFile(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray before = in.readAll();
    in.close();
    const QString text = Cp1252::decode(before);
    const QString cleaned = cleanPreferenceText(text);
    // The file ends with a line end when written by the table writer; cleaning drops the empty last line, so
    // compare without it to leave an already clean file untouched.
    if (cleaned == text || cleaned + QStringLiteral("\r\n") == text)
        return true;
    return !SafeFile::write(path, Cp1252::encode(cleaned)).has_value();
}

const QVector<PreferenceKey>& preferenceKeys()
{
    static const QVector<PreferenceKey> keys = {
        { QStringLiteral("ingr_auto_add"),
          PreferenceKey::Flag,
          QStringLiteral("Auto add new ingredients to the master ingredient list"),
          {},
          QStringLiteral("0") },
        { QStringLiteral("abbrev_ingr"),
          PreferenceKey::Flag,
          QStringLiteral("Use abbreviated ingredients on Smart Ingredient Paste"),
          {},
          QStringLiteral("0") },
        { QStringLiteral("confirm_1SL"),
          PreferenceKey::Flag,
          QStringLiteral("Confirm adding one ingredient to Shopping List"),
          {},
          QStringLiteral("0") },
        { QStringLiteral("backup_DBs"),
          PreferenceKey::Flag,
          QStringLiteral("Backup databases on hotsync (Palm OS handhelds only)"),
          {},
          QStringLiteral("0") },
        { QStringLiteral("ingredients"),
          PreferenceKey::Choice,
          QStringLiteral("Show recipe ingredients as"),
          { QStringLiteral("columns"), QStringLiteral("wrapped") },
          QStringLiteral("columns") },
        { QStringLiteral("instructions"),
          PreferenceKey::Choice,
          QStringLiteral("Show instructions as"),
          { QStringLiteral("locked"), QStringLiteral("editable") },
          QStringLiteral("editable") },
        { QStringLiteral("scaling"),
          PreferenceKey::Choice,
          QStringLiteral("After scaling, show Qty as"),
          { QStringLiteral("fraction"), QStringLiteral("decimal") },
          QStringLiteral("fraction") },
        { QStringLiteral("serves"),
          PreferenceKey::Number,
          QStringLiteral("Default number of servings"),
          {},
          QString() },
        { QStringLiteral("equivalents"), PreferenceKey::Multiline, QStringLiteral("Equivalents:"), {}, QString() },
    };
    return keys;
}

QString PreferenceText::shown(const PreferenceKey& key, bool found, const QString& stored)
{
    if (!found)
        return key.missing;
    switch (key.kind) {
    case PreferenceKey::Flag: {
        const QString t = stored.trimmed();
        int digits = 0;
        while (digits < t.size() && t.at(digits).isDigit())
            ++digits;
        return digits > 0 && t.left(digits).toLongLong() != 0 ? QStringLiteral("1") : QStringLiteral("0");
    }
    case PreferenceKey::Choice:
        return key.choices.contains(stored) ? stored : key.missing;
    case PreferenceKey::Number:
        return stored.left(10);
    case PreferenceKey::Multiline:
        return QString(stored).replace(QLatin1String("\\n"), QLatin1String("\n"));
    }
    return stored;
}

QString PreferenceText::stored(const PreferenceKey& key, const QString& shown)
{
    if (key.kind != PreferenceKey::Multiline)
        return shown;
    QString text = shown;
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}
