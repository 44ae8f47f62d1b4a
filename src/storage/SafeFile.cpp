#include "storage/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

qint64 g_faultAfter = -1;
SafeFile::Fault g_fault = SafeFile::Fault::None;
QString g_faultFile;
SafeFile::StepHook g_stepHook;

bool faultHits(SafeFile::Fault fault, const QString& path)
{
    return g_fault == fault && (g_faultFile.isEmpty() || QFileInfo(path).fileName() == g_faultFile);
}

// Passes writes to the real file until the injected fault limit is reached, and tells the step hook.
class FaultingDevice : public QIODevice
{
public:
    FaultingDevice(QFileDevice& target, const QString& path)
        : m_target(target)
        , m_path(path)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (g_faultAfter >= 0) {
            const qint64 room = g_faultAfter;
            if (room <= 0) {
                setErrorString(QStringLiteral("No space left on device"));
                return -1;
            }
            size = qMin(size, room);
            g_faultAfter -= size;
        }
        const qint64 written = m_target.write(data, size);
        if (g_stepHook && written > 0) {
            m_written += written;
            m_target.flush();
            g_stepHook(SafeFile::Step::Wrote, m_path, m_written);
        }
        return written;
    }

private:
    QFileDevice& m_target;
    QString m_path;
    qint64 m_written = 0;
};

AppError errorOf(QFileDevice::FileError kind, const QString& reason)
{
    int number = AppError::PathFileAccessError;
    switch (kind) {
    case QFileDevice::PermissionsError:
        number = AppError::PermissionDenied;
        break;
    case QFileDevice::ResourceError:
        number = AppError::DiskFull;
        break;
    case QFileDevice::WriteError:
        number = AppError::DeviceIoError;
        break;
    default:
        break;
    }
    return AppError(number, AppError::describe(number) + QStringLiteral(": ") + reason);
}

AppError errorOf(const QFileDevice& file)
{
    return errorOf(file.error(), file.errorString());
}

// What the system reports when it refuses an operation on a file.
AppError refused(QFileDevice::FileError kind)
{
    return errorOf(kind, QString::fromLocal8Bit(std::strerror(EACCES)));
}

} // namespace

std::optional<AppError> SafeFile::write(const QString& path, const std::function<bool(QIODevice&)>& fill)
{
    if (g_stepHook)
        g_stepHook(Step::Opening, path, 0);
    if (faultHits(Fault::Open, path))
        return refused(QFileDevice::OpenError);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return errorOf(file);
    bool ok;
    QString deviceError;
    if (g_faultAfter >= 0 || g_stepHook) {
        FaultingDevice device(file, path);
        ok = fill(device);
        deviceError = device.errorString();
    } else {
        ok = fill(file);
    }
    if (!ok) {
        AppError error = file.error() != QFileDevice::NoError
            ? errorOf(file)
            : AppError(AppError::DiskFull, AppError::describe(AppError::DiskFull) + QStringLiteral(": ") + deviceError);
        file.cancelWriting();
        return error;
    }
    if (faultHits(Fault::Rename, path)) {
        file.cancelWriting();
        return refused(QFileDevice::RenameError);
    }
    if (!file.commit())
        return errorOf(file);
    if (g_stepHook)
        g_stepHook(Step::Renamed, path, 0);
    return std::nullopt;
}

std::optional<AppError> SafeFile::write(const QString& path, const QByteArray& bytes)
{
    return write(path, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}

std::optional<AppError> SafeFile::copy(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return errorOf(source);
    return write(to, [&source](QIODevice& device) {
        while (!source.atEnd()) {
            const QByteArray chunk = source.read(1 << 20);
            if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
                return false;
            if (device.write(chunk) != chunk.size())
                return false;
        }
        return true;
    });
}

void SafeFile::setFaultAfterBytes(qint64 bytes)
{
    g_faultAfter = bytes;
}

void SafeFile::injectFault(Fault fault, const QString& fileName)
{
    g_fault = fault;
    g_faultFile = fileName;
}

void SafeFile::setStepHook(StepHook hook)
{
    g_stepHook = std::move(hook);
}
