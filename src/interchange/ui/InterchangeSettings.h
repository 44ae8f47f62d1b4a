#pragma once

#include <QString>

// The desktop settings the interchange windows remember, in section "Main" of the settings file:
// "ImportFile", "ExportFile", "ExportType", "ExportRange".
namespace InterchangeSettings {
QString read(const QString& key, const QString& defaultValue = QString());
void write(const QString& key, const QString& value);
} // namespace InterchangeSettings
