#pragma once

#include "base/AppError.h"

#include <QString>
#include <QStringList>

#include <optional>

// Copies of the thirteen table files between the data folder and a backup folder, and the import copies
// (".cdi") through which the conduit takes restored data to the handheld.
namespace BackupRestore {

// The table file names in the order backup and restore process them.
const QStringList& tableFileOrder();

// The folder with a trailing separator ("/" unless it already ends in "/" or "\").
QString withTrailingSeparator(const QString& folder);
// The folder without its trailing separator, if it has one.
QString withoutTrailingSeparator(const QString& folder);

// Backs the data folder up: each file already in the backup folder is first copied to its ".bak" name,
// then each table file of the data folder is copied in. Missing table files are skipped. The backup folder
// is created when it does not exist. Every copy appears whole or not at all. Refuses a backup folder that
// is the data folder itself, and a data folder that holds no table file (before touching the backup folder).
std::optional<AppError> backup(const QString& dataFolder, const QString& backupFolder);

enum class RestoreOutcome { Restored, NoBackupFiles, Failed };

struct RestoreResult
{
    RestoreOutcome outcome = RestoreOutcome::Failed;
    std::optional<AppError> error;
    QStringList restored; // file names copied into the data folder
};

// Restores the table files found in the restore folder into the data folder (ZestoDB.cdb must be there,
// else nothing is copied) and, unless installType is "Windows", writes the import copy of every table file.
RestoreResult restore(const QString& dataFolder, const QString& restoreFolder, const QString& installType);

// The import copy's path: the table file's path with ".cdb" replaced by ".cdi" in the file name only.
QString importCopyPath(const QString& path);

// Writes the import copy of one table file (at importCopyPath). Header lines and lines
// of 10 characters or fewer are copied (a "#SYNCMODE" line as "#SYNCMODE: MERGE"); every record line gets
// its id and status from RecordStatus::importCopyLine. A missing file writes nothing.
std::optional<AppError> MakeImportCopy(const QString& path);

// The import copy of one table file's bytes, written with CR LF line ends whatever line ends the table has
// (CR LF, LF or a lone CR, as TableFile::nextLine reads them). Physical lines that continue a recipe record
// are copied unchanged.
QByteArray importCopyBytes(const QByteArray& table, bool multiLineRecords);

} // namespace BackupRestore
