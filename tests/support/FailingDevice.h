#pragma once

#include <QIODevice>

// A write-only device that accepts the first limit bytes and then fails every write, as a full disk does.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit)
        : m_limit(limit)
    {
        open(QIODevice::WriteOnly);
    }
    QByteArray written() const { return m_data; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 n = qMin(m_limit - m_data.size(), size);
        if (n <= 0)
            setErrorString(QStringLiteral("No space left on device"));
        else
            m_data.append(data, n);
        return n <= 0 ? -1 : n;
    }

private:
    qint64 m_limit;
    QByteArray m_data;
};
