#pragma once

#include "base/AppError.h"

#include <QString>
#include <QStringList>

#include <optional>

// Direct transfers to and from a Pocket PC handheld through the handheld runtime's two desktop tools,
// which lie in the program folder.
namespace HandheldTransfer {

// The handheld application's creator identifier.
inline const QString CreatorId = QStringLiteral("ZTRA");

// A tool's command line: the program and its argument text, as one line "program arguments".
struct ToolCommand
{
    QString program;
    QString arguments;
    QString commandLine() const { return program + QLatin1Char(' ') + arguments; }
};

// CASLcdi2ppc.exe -DbFile "<data folder with separator>*.cdb" -CreatorID ZTRA
ToolCommand transferCommand(const QString& programFolder, const QString& dataFolder);
// CASLppc2cdb.exe -DestinationFolder "<data folder without separator>" -CreatorId ZTRA -TransferAll
ToolCommand retrieveCommand(const QString& programFolder, const QString& dataFolder);

// Deletes every import copy ("*.cdi") of the data folder; returns how many were deleted.
int removeImportCopies(const QString& dataFolder);

// Starts the tool with a window and waits, without a time limit, until it ends (through the platform seam).
// Its exit code is not examined. An error when the tool is missing from the program folder.
std::optional<AppError> ShellAndWait(const ToolCommand& command);

} // namespace HandheldTransfer
