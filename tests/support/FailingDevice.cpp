#include "FailingDevice.h"

FailingDevice::FailingDevice(qint64 limit)
    : m_limit(limit)
{
    open(QIODevice::WriteOnly);
}

qint64 FailingDevice::writeData(const char* data, qint64 size)
{
    const qint64 room = m_limit - m_data.size();
    if (room <= 0) {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
    const qint64 n = qMin(room, size);
    m_data.append(data, n);
    return n;
}
