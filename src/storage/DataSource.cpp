#include "storage/DataSource.h"

#include "shell/Dialogs.h"
#include "shell/ShowError.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

namespace {
DataSource::FatalHook& fatalHook()
{
    static DataSource::FatalHook hook;
    return hook;
}
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

TableLoadError::TableLoadError(const QString& path, const AppError& error)
    : std::runtime_error(QStringLiteral("cannot load %1: %2").arg(path, error.description()).toStdString())
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
    if (failure) {
        reportLoadFailure(*m_def, path, *failure);
        const TableLoadError error(path, *failure);
        if (fatalHook())
            fatalHook()(error);
        else
            std::exit(2);
        throw error;
    }
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

void DataSource::setFatalHook(FatalHook hook)
{
    fatalHook() = std::move(hook);
}

void DataSource::reportLoadFailure(const TableDef& def, const QString& path, const AppError& error)
{
    switch (def.id) {
    case TableDef::Recipes:
        Dialogs::message(QStringLiteral("Error"),
                         QStringLiteral("An error occurred while loading data source 1.") + CRLF + CRLF
                             + QStringLiteral("If you are not running Windows 2000 or XP, please make sure you have "
                                              "installed the MDAC update from our support page.")
                             + CRLF + CRLF + QStringLiteral("ErrorCode = %1").arg(error.number()) + CRLF + CRLF
                             + QStringLiteral("Filename = ") + path,
                         MsgButtons::Ok, MsgIcon::Critical);
        break;
    case TableDef::Preferences:
        ShowError(QStringLiteral("loading data source prefs"),
                  QStringLiteral("If this is a new install, try synchronizing your handheld again. Also, you may "
                                 "need the MDAC update from our support page.")
                      + CRLF + CRLF + QStringLiteral("Filename = ") + path,
                  error);
        break;
    default:
        ShowError(QStringLiteral("loading data source ") + def.sourceNumber, QString(), error);
        break;
    }
}
