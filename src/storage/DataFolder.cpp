#include "storage/DataFolder.h"

#include "storage/Cp1252.h"
#include "storage/DataSource.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFileInfo>

std::optional<AppError> DataFolder::initEmpty(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return AppError(AppError::PathNotFound, QStringLiteral("Cannot create folder ") + folder);
    for (const TableDef& def : TableCatalogue::all()) {
        if (QFileInfo::exists(DataSource::tablePath(folder, def.id)))
            return AppError(AppError::FileAlreadyExists,
                            QStringLiteral("File already exists: ") + DataSource::tablePath(folder, def.id));
    }
    for (const TableDef& def : TableCatalogue::all()) {
        Recordset empty;
        TableFile::defineFields(empty, def);
        if (auto error = TableWriter::write(empty, def, DataSource::tablePath(folder, def.id)))
            return error;
    }
    return std::nullopt;
}

QVector<DataFolder::TableSummary> DataFolder::check(const QString& folder, bool resave,
                                                    std::optional<AppError>* writeFailure)
{
    QVector<TableSummary> out;
    for (const TableDef& def : TableCatalogue::all()) {
        auto source = DataSource::open(def.id, folder);
        Recordset& rs = source->recordset();
        TableSummary summary { def.fileName, rs.totalRecordCount(), 0 };
        rs.setFilter(RecordStatus::LiveFilter);
        summary.live = rs.recordCount();
        rs.setFilter(QString());
        out.append(summary);
        if (resave) {
            if (auto error = TableWriter::write(rs, def, source->path())) {
                if (writeFailure && !*writeFailure)
                    *writeFailure = error;
            }
        }
    }
    return out;
}
