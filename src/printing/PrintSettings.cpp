#include "printing/PrintSettings.h"

#include "shell/Settings.h"

namespace {

const QString Section = QStringLiteral("Main");
const QString NewPageKey = QStringLiteral("PrintNewPage");
const QString RangeKey = QStringLiteral("PrintRange");

bool flag(const QString& key)
{
    return ReadSetting(Section, key, QStringLiteral("0")).trimmed() == QLatin1String("1");
}

} // namespace

namespace PrintSettings {

bool newPage()
{
    return flag(NewPageKey);
}

bool selectedRange()
{
    return flag(RangeKey);
}

void setNewPage(bool on)
{
    WriteSetting(Section, NewPageKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void setSelectedRange(bool selected)
{
    WriteSetting(Section, RangeKey, selected ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace PrintSettings
