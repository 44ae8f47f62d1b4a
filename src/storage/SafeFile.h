#pragma once

#include "shell/AppError.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Writes a whole file through a temporary file that replaces the target only when complete, so a crash,
// a full disk or a refused write never leaves a half-written file: the old file stays as it was.
namespace SafeFile {

// Calls fill with the open device; fill returns false when a write failed. Returns the error, if any.
std::optional<AppError> write(const QString& path, const std::function<bool(QIODevice&)>& fill);
std::optional<AppError> write(const QString& path, const QByteArray& bytes);

// Copies a file the same way (the copy appears whole or not at all).
std::optional<AppError> copy(const QString& from, const QString& to);

// Test seam: every write through SafeFile fails once this many bytes have been written in total
// (-1, the default, switches it off).
void setFaultAfterBytes(qint64 bytes);

} // namespace SafeFile
