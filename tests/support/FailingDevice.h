#pragma once

#include <QIODevice>

// A write-only device that accepts the first limit bytes and then fails every write, as a full disk does.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit);
    QByteArray written() const { return m_data; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    qint64 m_limit;
    QByteArray m_data;
};
