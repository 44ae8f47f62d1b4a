#include "TestData.h"

#include "shell/LoadFailure.h"
#include "storage/DataFolder.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QFile>

namespace TestData {

ThrowOnFatalLoad::ThrowOnFatalLoad()
{
    LoadFailure::setEndHook([](const TableLoadError&) {});
}

ThrowOnFatalLoad::~ThrowOnFatalLoad()
{
    LoadFailure::setEndHook(nullptr);
}

DataFolderFixture::DataFolderFixture()
{
    if (auto error = DataFolder::initEmpty(m_dir.path()))
        qFatal("cannot create test data folder: %s", qPrintable(error->description()));
}

QString DataFolderFixture::file(TableDef::Id id) const
{
    return DataSource::tablePath(m_dir.path(), id);
}

void DataFolderFixture::writeBytes(TableDef::Id id, const QByteArray& bytes) const
{
    writeFile(file(id), bytes);
}

QByteArray DataFolderFixture::readBytes(TableDef::Id id) const
{
    return readFile(file(id));
}

std::unique_ptr<Recordset> emptyTable(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

} // namespace TestData
