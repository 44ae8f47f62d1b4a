#include "storage/DataSource.h"

#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The whole file in one buffer of its own size (a growing buffer would hold the file twice for a moment).
QByteArray readWhole(QFile& file)
{
    QByteArray bytes(file.size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.read(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    // A file that grew since its size was taken is read to its end.
    if (!file.atEnd())
        bytes += file.readAll();
    return bytes;
}

} // namespace

TableLoadError::TableLoadError(TableDef::Id table, const QString& path, const AppError& error)
    : m_table(table)
    , m_path(path)
    , m_error(error)
{
}

DataSource::DataSource(TableDef::Id id, const QString& path)
    : m_def(&TableCatalogue::table(id))
    , m_path(path)
{
    TableFile::defineFields(m_rs, *m_def);

    QFile file(path);
    std::optional<AppError> failure;
    if (!QFileInfo(path).isFile())
        failure = AppError::of(AppError::FileNotFound);
    else if (!file.open(QIODevice::ReadOnly))
        failure
            = AppError(AppError::PathFileAccessError,
                       AppError::describe(AppError::PathFileAccessError) + QStringLiteral(": ") + file.errorString());
    if (failure)
        throw TableLoadError(id, path, *failure);
    TableFile::parse(readWhole(file), *m_def, m_rs);
    m_rs.moveFirst();
}

DataSource::~DataSource() = default;

bool DataSource::save() const
{
    return TableWriter::save(m_rs, *m_def, m_path);
}

QString DataSource::tablePath(const QString& dataFolder, TableDef::Id id)
{
    return QDir(dataFolder).filePath(TableCatalogue::table(id).fileName);
}

std::unique_ptr<DataSource> DataSource::open(TableDef::Id id, const QString& dataFolder)
{
    return std::make_unique<DataSource>(id, tablePath(dataFolder, id));
}
