#include "interchange/ui/InterchangeSettings.h"

#include "shell/Settings.h"

namespace InterchangeSettings {

QString read(const QString& key, const QString& defaultValue)
{
    return ReadSetting(QStringLiteral("Main"), key, defaultValue);
}

void write(const QString& key, const QString& value)
{
    WriteSetting(QStringLiteral("Main"), key, value);
}

} // namespace InterchangeSettings
