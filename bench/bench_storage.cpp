// Times the storage layer on a full data folder and prints each figure with its ratio to the floor: reading
// the raw bytes of ZestoDB.cdb and splitting them into lines.
#include "BenchTiming.h"
#include "storage/DataSource.h"
#include "storage/TableFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zestora_bench DATADIR\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString path = DataSource::tablePath(folder, TableDef::Recipes);
    const int runs = 5;

    qsizetype lineCount = 0;
    const double floorMs = bestOf(runs, [&] {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        const QByteArray bytes = f.readAll();
        const QList<QByteArray> lines = bytes.split('\n');
        lineCount = lines.size();
    });

    std::unique_ptr<DataSource1> source;
    const double loadMs = bestOf(runs, [&] { source = std::make_unique<DataSource1>(path); });
    Recordset& rs = source->recordset();

    int matches = 0;
    const double filterMs = bestOf(runs, [&] {
        rs.setFilter(QStringLiteral("STATUS <> '0x0002' AND (Name like '*chicken*')"));
        rs.setSort(QStringLiteral("Name ASC"));
        matches = rs.recordCount();
    });

    // 1000 finds by key, each from the first record, over the unfiltered table in name order.
    rs.setFilter(QString());
    std::vector<QString> keys;
    rs.moveFirst();
    for (int i = 0; !rs.eof() && i < rs.recordCount(); i += std::max(1, rs.recordCount() / 1000)) {
        rs.setPosition(i);
        keys.push_back(rs.value(QStringLiteral("Key")));
    }
    keys.resize(std::min<size_t>(keys.size(), 1000));
    int found = 0;
    const double findMs = bestOf(runs, [&] {
        found = 0;
        for (const QString& key : keys) {
            rs.moveFirst();
            found += rs.find(QStringLiteral("Key = '") + key + QStringLiteral("'"));
            // Touch the record so that an index rebuilt per find would show.
            rs.setValue(QStringLiteral("Other1"), rs.value(QStringLiteral("Other1")));
        }
    });

    QTemporaryDir out;
    const QString outPath = out.filePath(QStringLiteral("ZestoDB.cdb"));
    QFile::copy(path, outPath);
    const double writeMs = bestOf(runs, [&] {
        if (auto error = TableWriter::write(rs, source->definition(), outPath))
            qFatal("write failed: %s", qPrintable(error->description()));
    });

    std::printf("recipes: %d records, %lld lines\n", rs.totalRecordCount(), static_cast<long long>(lineCount));
    std::printf("%-34s %10.2f ms\n", "floor (read + split lines)", floorMs);
    std::printf("%-34s %10.2f ms  %6.2fx floor\n", "load recipe table", loadMs, loadMs / floorMs);
    std::printf("%-34s %10.2f ms  %6.2fx floor  (%d matches)\n", "filter chicken + sort Name", filterMs,
                filterMs / floorMs, matches);
    std::printf("%-34s %10.2f ms  %6.2f us/find (%d found of %zu)\n", "1000 finds by key", findMs,
                findMs * 1000.0 / std::max<size_t>(1, keys.size()), found, keys.size());
    std::printf("%-34s %10.2f ms  %6.2fx floor\n", "write recipe table", writeMs, writeMs / floorMs);
    return 0;
}
