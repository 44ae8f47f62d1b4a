// Test helper: loads every table of a data folder, appends one record to each, and writes them all back.
// ZESTORA_STOP_AT="STEP:FILE[:BYTES]" kills it at that moment of the save (STEP opening, wrote or renamed;
// wrote stops at the first write that reaches BYTES), as a power cut or a kill would.
#include "storage/DataSource.h"
#include "storage/SafeFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 1;
    const QStringList stop = qEnvironmentVariable("ZESTORA_STOP_AT").split(QLatin1Char(':'));
    if (stop.size() >= 2) {
        const QStringList steps { QStringLiteral("opening"), QStringLiteral("wrote"), QStringLiteral("renamed") };
        const auto step = static_cast<SafeFile::Step>(steps.indexOf(stop.at(0)));
        const qint64 bytes = stop.value(2).toLongLong();
        SafeFile::setStepHook([=](SafeFile::Step now, const QString& path, qint64 written) {
            if (now == step && QFileInfo(path).fileName() == stop.at(1) && written >= bytes)
                std::raise(SIGKILL);
        });
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const TableDef& def : TableCatalogue::all()) {
        auto source = DataSource::open(def.id, folder);
        Recordset& rs = source->recordset();
        RecordStatus::addNew(rs);
        rs.setValue(2, QStringLiteral("added by the crash test"));
        if (!source->save())
            return 2;
    }
    return 0;
}
