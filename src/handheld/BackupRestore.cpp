#include "handheld/BackupRestore.h"

#include "storage/RecordStatus.h"
#include "storage/SafeFile.h"
#include "storage/TableCatalogue.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace BackupRestore {

const QStringList& tableFileOrder()
{
    static const QStringList order { QStringLiteral("ZestoDB.cdb"),     QStringLiteral("ZestoCatDB.cdb"),
                                     QStringLiteral("ZestoQty.cdb"),    QStringLiteral("ZestoUnits.cdb"),
                                     QStringLiteral("ZestoIngr.cdb"),   QStringLiteral("ZestoShop.cdb"),
                                     QStringLiteral("ZestoMenu.cdb"),   QStringLiteral("ZestoPrefs.cdb"),
                                     QStringLiteral("ZestoNtrn.cdb"),   QStringLiteral("ZestoSource.cdb"),
                                     QStringLiteral("ZestoRating.cdb"), QStringLiteral("ZestoAisle.cdb"),
                                     QStringLiteral("ZestoMeal.cdb") };
    return order;
}

QString withTrailingSeparator(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString withoutTrailingSeparator(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder.left(folder.size() - 1);
    return folder;
}

namespace {

    QString bakName(const QString& fileName)
    {
        QString name = fileName;
        name.replace(QLatin1String(".cdb"), QLatin1String(".bak"));
        return name;
    }

    bool sameFolder(const QString& a, const QString& b)
    {
        const QFileInfo fa(a);
        const QFileInfo fb(b);
        if (fa.exists() && fb.exists())
            return fa.canonicalFilePath() == fb.canonicalFilePath();
        return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
    }

} // namespace

std::optional<AppError> backup(const QString& dataFolder, const QString& backupFolder)
{
    if (sameFolder(dataFolder, backupFolder))
        return AppError(AppError::PathFileAccessError,
                        QStringLiteral("The backup folder is the data folder itself; please choose another folder"));
    const QDir data(dataFolder);
    const QDir target(backupFolder);
    const bool anyTable = std::any_of(tableFileOrder().cbegin(), tableFileOrder().cend(),
                                      [&data](const QString& name) { return QFileInfo::exists(data.filePath(name)); });
    if (!anyTable)
        return AppError(AppError::FileNotFound,
                        QStringLiteral("No table files (Zest*.cdb) were found in %1; nothing was backed up")
                            .arg(QDir::toNativeSeparators(dataFolder)));
    if (!QDir().mkpath(backupFolder))
        return AppError(AppError::PathNotFound, QStringLiteral("Cannot create the backup folder ") + backupFolder);
    for (const QString& name : tableFileOrder()) {
        if (QFileInfo::exists(target.filePath(name))) {
            if (auto error = SafeFile::copy(target.filePath(name), target.filePath(bakName(name))))
                return error;
        }
    }
    for (const QString& name : tableFileOrder()) {
        if (QFileInfo::exists(data.filePath(name))) {
            if (auto error = SafeFile::copy(data.filePath(name), target.filePath(name)))
                return error;
        }
    }
    return std::nullopt;
}

RestoreResult restore(const QString& dataFolder, const QString& restoreFolder, const QString& installType)
{
    RestoreResult result;
    const QDir source(restoreFolder);
    const QDir data(dataFolder);
    if (!QFileInfo::exists(source.filePath(QStringLiteral("ZestoDB.cdb")))) {
        result.outcome = RestoreOutcome::NoBackupFiles;
        return result;
    }
    if (sameFolder(dataFolder, restoreFolder)) {
        result.error
            = AppError(AppError::PathFileAccessError, QStringLiteral("The backup folder is the data folder itself"));
        return result;
    }
    for (const QString& name : tableFileOrder()) {
        if (!QFileInfo::exists(source.filePath(name)))
            continue;
        if (auto error = SafeFile::copy(source.filePath(name), data.filePath(name))) {
            result.error = error;
            return result;
        }
        result.restored << name;
    }
    if (installType != QLatin1String("Windows")) {
        for (const QString& name : tableFileOrder()) {
            if (auto error = MakeImportCopy(data.filePath(name))) {
                result.error = error;
                return result;
            }
        }
    }
    result.outcome = RestoreOutcome::Restored;
    return result;
}

QByteArray importCopyBytes(const QByteArray& table, bool multiLineRecords)
{
    QByteArray out;
    out.reserve(table.size());
    bool insideRecord = false; // the previous record line did not end its recipe record
    qsizetype pos = 0;
    QByteArrayView view;
    while (TableFile::nextLine(table, pos, view)) {
        QByteArray line = view.toByteArray();

        if (insideRecord) {
            // A physical line that continues a recipe record: its text is data, not an id and status.
            insideRecord = !line.endsWith('"');
        } else if (line.startsWith('#')) {
            if (line.startsWith("#SYNCMODE"))
                line = "#SYNCMODE: MERGE";
        } else if (line.size() > 10) {
            line = RecordStatus::importCopyLine(line);
            insideRecord = multiLineRecords && !line.endsWith('"');
        }
        out += line;
        out += "\r\n";
    }
    return out;
}

QString importCopyPath(const QString& path)
{
    // Only the file name changes: a folder whose name holds ".cdb" stays the folder it is.
    const QString name = QFileInfo(path).fileName();
    QString copyName = name;
    copyName.replace(QLatin1String(".cdb"), QLatin1String(".cdi"));
    return path.left(path.size() - name.size()) + copyName;
}

std::optional<AppError> MakeImportCopy(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        return AppError(AppError::PathFileAccessError,
                        AppError::describe(AppError::PathFileAccessError) + QStringLiteral(": ") + file.errorString());
    const QString fileName = QFileInfo(path).fileName();
    const TableDef* def = TableCatalogue::byFileName(fileName);
    const QByteArray copy = importCopyBytes(file.readAll(), def && def->multiLineRecords);
    return SafeFile::write(importCopyPath(path), copy);
}

} // namespace BackupRestore
