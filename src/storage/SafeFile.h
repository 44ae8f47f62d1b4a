#pragma once

#include "base/AppError.h"

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

// Test seams. They let a test make the rare moments of a write happen on purpose.

// Every write through SafeFile fails once this many bytes have been written in total
// (-1, the default, switches it off).
void setFaultAfterBytes(qint64 bytes);

// A refusal by the system, reported exactly as the real one ("Permission denied"): Open is a file that
// cannot be created or opened for writing (a read-only file or folder), Rename a finished file that cannot
// replace the old one.
enum class Fault { None, Open, Rename };
// Injects the fault into every later write of a file named fileName (any file when empty) until it is
// set back to Fault::None.
void injectFault(Fault fault, const QString& fileName = QString());

// The moments of a write an observer is told about: before the file is opened, after each write to the
// temporary file (flushed to it, with the bytes written so far), and after the rename that completes it.
enum class Step { Opening, Wrote, Renamed };
using StepHook = std::function<void(Step step, const QString& path, qint64 written)>;
// Installs the observer (an empty function removes it).
void setStepHook(StepHook hook);

} // namespace SafeFile
