#include "handheld/HandheldTransfer.h"

#include "base/Platform.h"
#include "handheld/BackupRestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace HandheldTransfer {

ToolCommand transferCommand(const QString& programFolder, const QString& dataFolder)
{
    return { BackupRestore::withTrailingSeparator(programFolder) + QStringLiteral("CASLcdi2ppc.exe"),
             QStringLiteral("-DbFile \"") + BackupRestore::withTrailingSeparator(dataFolder)
                 + QStringLiteral("*.cdb\" -CreatorID ") + CreatorId };
}

ToolCommand retrieveCommand(const QString& programFolder, const QString& dataFolder)
{
    return { BackupRestore::withTrailingSeparator(programFolder) + QStringLiteral("CASLppc2cdb.exe"),
             QStringLiteral("-DestinationFolder \"") + BackupRestore::withoutTrailingSeparator(dataFolder)
                 + QStringLiteral("\" -CreatorId ") + CreatorId + QStringLiteral(" -TransferAll") };
}

int removeImportCopies(const QString& dataFolder)
{
    QDir dir(dataFolder);
    int removed = 0;
    for (const QString& name : dir.entryList({ QStringLiteral("*.cdi") }, QDir::Files))
        removed += QFile::remove(dir.filePath(name)) ? 1 : 0;
    return removed;
}

std::optional<AppError> ShellAndWait(const ToolCommand& command)
{
    if (!QFileInfo(command.program).isFile())
        return AppError(AppError::FileNotFound,
                        AppError::describe(AppError::FileNotFound) + QStringLiteral(": ") + command.program);
    // The argument text is split as the tool's own command-line parser would: quotes group, and are removed.
    // The tool's own failures are not detected: its exit code says nothing the program could act on.
    Platform::runAndWait(command.program, QProcess::splitCommand(command.arguments));
    return std::nullopt;
}

} // namespace HandheldTransfer
