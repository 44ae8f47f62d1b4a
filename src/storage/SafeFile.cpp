#include "storage/SafeFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

qint64 g_faultAfter = -1;

// Passes writes to the real file until the injected fault limit is reached.
class FaultingDevice : public QIODevice
{
public:
    explicit FaultingDevice(QIODevice& target)
        : m_target(target)
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
        return m_target.write(data, size);
    }

private:
    QIODevice& m_target;
};

AppError errorOf(const QFileDevice& file, const QString& fallback = QString())
{
    int number = AppError::PathFileAccessError;
    switch (file.error()) {
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
    const QString reason = fallback.isEmpty() ? file.errorString() : fallback;
    return AppError(number, AppError::describe(number) + QStringLiteral(": ") + reason);
}

} // namespace

std::optional<AppError> SafeFile::write(const QString& path, const std::function<bool(QIODevice&)>& fill)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return errorOf(file);
    bool ok;
    QString deviceError;
    if (g_faultAfter >= 0) {
        FaultingDevice device(file);
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
    if (!file.commit())
        return errorOf(file);
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
