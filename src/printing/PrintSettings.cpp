#include "printing/PrintSettings.h"

#include "shell/AppState.h"

#include <QFile>
#include <QSaveFile>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <string>

namespace {

PrintSettings::Reader g_reader;
PrintSettings::Writer g_writer;

const char* const Section = "Main";

bool loadIni(CSimpleIniA& ini, const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    return ini.LoadData(bytes.constData(), static_cast<size_t>(bytes.size())) >= 0;
}

QString readFile(const QString& key, const QString& missing)
{
    const QString path = AppState::instance().settingsPath;
    CSimpleIniA ini;
    if (path.isEmpty() || !loadIni(ini, path))
        return missing;
    const char* value = ini.GetValue(Section, key.toUtf8().constData(), nullptr);
    return value ? QString::fromUtf8(value) : missing;
}

void writeFile(const QString& key, const QString& value)
{
    const QString path = AppState::instance().settingsPath;
    if (path.isEmpty())
        return;
    CSimpleIniA ini;
    loadIni(ini, path);
    ini.SetValue(Section, key.toUtf8().constData(), value.toUtf8().constData());
    std::string text;
    if (ini.Save(text) < 0)
        return;
    // The settings file keeps CR LF line ends; written through QSaveFile so a failure leaves the old file.
    QByteArray bytes = QByteArray::fromStdString(text);
    bytes.replace("\r\n", "\n").replace("\n", "\r\n");
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size())
        f.commit();
}

} // namespace

namespace PrintSettings {

void setStore(Reader reader, Writer writer)
{
    g_reader = std::move(reader);
    g_writer = std::move(writer);
}

QString read(const QString& key, const QString& missing)
{
    return g_reader ? g_reader(key, missing) : readFile(key, missing);
}

void write(const QString& key, const QString& value)
{
    if (g_writer)
        g_writer(key, value);
    else
        writeFile(key, value);
}

bool newPage()
{
    return read(QStringLiteral("PrintNewPage"), QStringLiteral("0")).trimmed() == QLatin1String("1");
}

bool selectedRange()
{
    return read(QStringLiteral("PrintRange"), QStringLiteral("0")).trimmed() == QLatin1String("1");
}

void setNewPage(bool on)
{
    write(QStringLiteral("PrintNewPage"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void setSelectedRange(bool selected)
{
    write(QStringLiteral("PrintRange"), selected ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace PrintSettings
