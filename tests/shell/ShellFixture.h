#pragma once

#include "FakeRecipeWindow.h"
#include "TestData.h"
#include "shell/AppState.h"

#include <QFile>
#include <QTemporaryDir>

// A program folder (with its settings file) and a data folder for start-up and exit tests.
struct ShellFolders
{
    QTemporaryDir program;
    TestData::DataFolderFixture data;

    QString programPath() const { return program.path() + QLatin1Char('/'); }
    QString dataPath() const { return data.path() + QLatin1Char('/'); }
    QString ini() const { return program.filePath(QStringLiteral("zestoraplus.ini")); }
    void writeIni(const QByteArray& text) const { TestData::writeFile(ini(), text); }
    // A settings file of the given install type ("" leaves the key out) naming the data folder.
    void writeStandardIni(const QByteArray& installType = "Palm") const
    {
        QByteArray text = "[Main]\r\n";
        if (!installType.isEmpty())
            text += "InstallType=" + installType + "\r\n";
        text += "DataPath=" + dataPath().toUtf8() + "\r\n";
        writeIni(text);
    }
    QByteArray iniBytes() const { return TestData::readFile(ini()); }
};
