#pragma once

#include "storage/DataSource.h"
#include "storage/SafeFile.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// Test helpers for data folders and raw table files.
namespace TestData {

// Makes a reported table-loading failure leave the test program running (the caller goes on), for the
// lifetime of the object.
class ThrowOnFatalLoad
{
public:
    ThrowOnFatalLoad();
    ~ThrowOnFatalLoad();
};

// Makes every write through SafeFile refuse as the system would (see SafeFile::injectFault), for the
// lifetime of the object.
struct RefusedWrites
{
    explicit RefusedWrites(SafeFile::Fault fault, const QString& fileName = QString())
    {
        SafeFile::injectFault(fault, fileName);
    }
    ~RefusedWrites() { SafeFile::injectFault(SafeFile::Fault::None); }
};

// A fresh temporary data folder holding all thirteen table files with empty headers.
class DataFolderFixture
{
public:
    DataFolderFixture();
    QString path() const { return m_dir.path(); }
    QString file(TableDef::Id id) const;
    // Replaces a table file with the given bytes.
    void writeBytes(TableDef::Id id, const QByteArray& bytes) const;
    QByteArray readBytes(TableDef::Id id) const;

private:
    QTemporaryDir m_dir;
};

// An empty in-memory table with the catalogue's fields.
std::unique_ptr<Recordset> emptyTable(TableDef::Id id);

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);
// Joins lines with CR LF after each one.
QByteArray crlfLines(const QList<QByteArray>& lines);

} // namespace TestData

Q_DECLARE_METATYPE(SafeFile::Fault)
