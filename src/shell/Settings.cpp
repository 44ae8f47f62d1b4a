#include "shell/Settings.h"

#include "base/Dialogs.h"
#include "shell/AppState.h"
#include "storage/SafeFile.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool sameName(QByteArrayView bytes, const QString& name)
{
    return QString::fromUtf8(bytes).compare(name, Qt::CaseInsensitive) == 0;
}

// Where a key stands in a settings file's bytes, and where it would go.
struct KeyPlace
{
    qsizetype valueStart = -1; // the value's bytes (blanks around it excluded) when the key was found
    qsizetype valueEnd = -1;
    qsizetype insertAt = -1; // where a new key line of the section goes, when the section was found
    QByteArray lineEnd = "\r\n"; // the file's own line end
};

// Finds key in section. Lines end as table file lines do (CR LF, LF or a lone CR); a UTF-8 byte order mark
// before the first line is skipped.
KeyPlace locate(const QByteArray& bytes, const QString& section, const QString& key)
{
    KeyPlace place;
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    bool lineEndSeen = false;
    bool inSection = false;
    bool firstSectionSeen = false; // a new key goes into the first occurrence of its section
    bool inFirstSection = false;
    QByteArrayView line;
    for (;;) {
        const qsizetype start = pos;
        if (!TableFile::nextLine(bytes, pos, line))
            break;
        const qsizetype contentEnd = start + line.size();
        if (!lineEndSeen && pos > contentEnd) {
            lineEndSeen = true;
            const QByteArrayView end(bytes.constData() + contentEnd, pos - contentEnd);
            place.lineEnd = end.contains('\n') ? (end.contains('\r') ? "\r\n" : "\n") : "\r";
        }
        qsizetype ts = start;
        qsizetype te = contentEnd;
        while (ts < te && isBlank(bytes.at(ts)))
            ++ts;
        while (te > ts && isBlank(bytes.at(te - 1)))
            --te;
        if (ts == te || bytes.at(ts) == ';' || bytes.at(ts) == '#')
            continue;
        const QByteArrayView text(bytes.constData() + ts, te - ts);
        if (text.front() == '[') {
            const qsizetype close = text.indexOf(']');
            if (close < 0)
                continue; // not a section line: the section goes on
            inSection = sameName(text.sliced(1, close - 1).trimmed(), section);
            inFirstSection = inSection && !firstSectionSeen;
            if (inFirstSection) {
                firstSectionSeen = true;
                place.insertAt = pos;
            }
            continue;
        }
        const qsizetype eq = text.indexOf('=');
        if (eq <= 0 || text.first(eq).trimmed().isEmpty())
            continue;
        if (inFirstSection)
            place.insertAt = pos;
        if (inSection && sameName(text.first(eq).trimmed(), key)) {
            qsizetype vs = ts + eq + 1;
            while (vs < contentEnd && isBlank(bytes.at(vs)))
                ++vs;
            place.valueStart = vs;
            place.valueEnd = std::max(vs, te);
            return place;
        }
    }
    return place;
}

// The file's bytes: empty for a missing file; nothing when an existing file cannot be read.
std::optional<QByteArray> load(const QString& path, QString* reason = nullptr)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

} // namespace

QString Settings::read(const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    const std::optional<QByteArray> bytes = load(path);
    if (!bytes)
        return defaultValue;
    const KeyPlace place = locate(*bytes, section, key);
    if (place.valueStart < 0)
        return defaultValue;
    return QString::fromUtf8(bytes->constData() + place.valueStart, place.valueEnd - place.valueStart);
}

std::optional<QString> Settings::write(const QString& path, const QString& section, const QString& key,
                                       const QString& value)
{
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return QStringLiteral("a setting cannot hold a line break");
    QString reason;
    std::optional<QByteArray> loaded = load(path, &reason);
    if (!loaded)
        return reason.isEmpty() ? QStringLiteral("cannot read %1").arg(path) : reason;
    QByteArray bytes = std::move(*loaded);
    const KeyPlace place = locate(bytes, section, key);
    const QByteArray v = value.toUtf8();
    if (place.valueStart >= 0) {
        bytes.replace(place.valueStart, place.valueEnd - place.valueStart, v);
    } else {
        const QByteArray keyLine = key.toUtf8() + '=' + v + place.lineEnd;
        const qsizetype at = place.insertAt >= 0 ? place.insertAt : bytes.size();
        // A last line without a line end gets one before anything is added after it.
        const bool needsLineEnd = at > 0 && bytes.at(at - 1) != '\n' && bytes.at(at - 1) != '\r'
            && !(at == 3 && bytes.startsWith("\xEF\xBB\xBF"));
        QByteArray added = needsLineEnd ? place.lineEnd : QByteArray();
        if (place.insertAt < 0)
            added += '[' + section.toUtf8() + ']' + place.lineEnd;
        bytes.insert(at, added + keyLine);
    }
    if (const auto error = SafeFile::write(path, bytes))
        return error->description();
    return std::nullopt;
}

QString ReadSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    return Settings::read(AppState::instance().settingsPath, section, key, defaultValue);
}

namespace {
void reportSettingsWriteFailure()
{
    Dialogs::message(QString(), QStringLiteral("An error occurred while writing to the ini file."), MsgButtons::Ok);
}
} // namespace

bool WriteSetting(const QString& section, const QString& key, const QString& value)
{
    if (Settings::write(AppState::instance().settingsPath, section, key, value)) {
        reportSettingsWriteFailure();
        return false;
    }
    return true;
}

bool WriteSettings(const QString& section, const QVector<QPair<QString, QString>>& keysAndValues)
{
    bool allWritten = true;
    for (const auto& [key, value] : keysAndValues) {
        if (Settings::write(AppState::instance().settingsPath, section, key, value)) {
            if (allWritten)
                reportSettingsWriteFailure();
            allWritten = false;
        }
    }
    return allWritten;
}

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!name.contains(QLatin1Char('*')))
        return info.exists();
    const QDir dir = info.dir();
    if (!dir.exists())
        return false;
    return !dir.entryList({ name }, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}
