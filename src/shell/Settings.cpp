#include "shell/Settings.h"

#include "shell/AppState.h"
#include "shell/Dialogs.h"
#include "storage/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Values are UTF-8 bytes passed through unchanged; no wide-character conversion is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <string>

namespace {

void configure(CSimpleIniA& ini)
{
    ini.SetUnicode(true);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
}

// Reads the file into ini. A missing file is an empty one; false when an existing file cannot be read.
bool load(const QString& path, CSimpleIniA& ini, QString* reason = nullptr)
{
    configure(ini);
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return ini.LoadData(bytes.constData(), size_t(bytes.size())) >= 0 || bytes.isEmpty();
}

} // namespace

QString Settings::read(const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    CSimpleIniA ini;
    if (!load(path, ini))
        return defaultValue;
    const QByteArray s = section.toUtf8();
    const QByteArray k = key.toUtf8();
    const char* value = ini.GetValue(s.constData(), k.constData(), nullptr);
    return value ? QString::fromUtf8(value) : defaultValue;
}

std::optional<QString> Settings::write(const QString& path, const QString& section, const QString& key,
                                       const QString& value)
{
    CSimpleIniA ini;
    QString reason;
    if (!load(path, ini, &reason))
        return reason.isEmpty() ? QStringLiteral("cannot read %1").arg(path) : reason;
    const QByteArray s = section.toUtf8();
    const QByteArray k = key.toUtf8();
    const QByteArray v = value.toUtf8();
    if (ini.SetValue(s.constData(), k.constData(), v.constData()) < 0)
        return QStringLiteral("cannot set %1").arg(key);
    std::string text;
    if (ini.Save(text) < 0)
        return QStringLiteral("cannot compose %1").arg(path);

    // The file is shared with Windows installers: CR LF line ends.
    QByteArray bytes;
    bytes.reserve(int(text.size()) + 64);
    for (char c : text) {
        if (c == '\n' && (bytes.isEmpty() || bytes.back() != '\r'))
            bytes.append('\r');
        bytes.append(c);
    }
    if (const auto error = SafeFile::write(path, bytes))
        return error->description();
    return std::nullopt;
}

QString ReadSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    return Settings::read(AppState::instance().settingsPath, section, key, defaultValue);
}

bool WriteSetting(const QString& section, const QString& key, const QString& value)
{
    if (const auto failure = Settings::write(AppState::instance().settingsPath, section, key, value)) {
        Q_UNUSED(failure);
        Dialogs::message(QString(), QStringLiteral("An error occurred while writing to the ini file."), MsgButtons::Ok);
        return false;
    }
    return true;
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
