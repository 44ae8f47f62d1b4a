// Times the storage layer on a full data folder and prints each figure with its ratio to the floor:
// decoding the recipe table from Windows-1252 to UTF-16 with the command
// `iconv -f WINDOWS-1252 -t UTF-16LE ZestoDB.cdb` (output to /dev/null), measured in the same round. The
// same conversion in this process through iconv(3), after reading the whole file, is shown for comparison
// (it is slower than the command, which converts in small blocks). Each figure is the median of 5 rounds;
// each ratio is the median of the 5 per-round ratios. Peak memory is the tool's own maximum resident set
// size, taken before this process loads anything.
//
// usage: zestora_bench DATADIR [--runs N] [--import-runs N]
#include "BenchTiming.h"
#include "recipes/SearchCriteria.h"
#include "storage/DataSource.h"
#include "storage/TableFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <iconv.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Figure
{
    std::vector<double> ms;
    std::vector<double> ratio;
    double extra = 0; // the last round's extra figure (matches, kilobytes)
};

// Reads the file and converts it in this process, as the iconv command does.
void iconvInProcess(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QByteArray in = f.readAll();
    QByteArray out(in.size() * 2, Qt::Uninitialized);
    iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1))
        qFatal("iconv_open failed");
    char* src = in.data();
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1))
        qFatal("iconv failed");
    iconv_close(cd);
}

// Runs a program with its output thrown away; returns its maximum resident set size in kilobytes.
long runChild(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        qFatal("cannot start %s", argv[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        qFatal("wait4 failed");
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1)
        qFatal("%s failed (status %d)", argv[0], status);
    return usage.ru_maxrss;
}

std::string local(const QString& s)
{
    return s.toLocal8Bit().toStdString();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 5;
    int importRuns = 5;
    for (int i = 0; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs"))
            runs = args.takeAt(i + 1).toInt(), args.removeAt(i--);
        else if (args.at(i) == QLatin1String("--import-runs"))
            importRuns = args.takeAt(i + 1).toInt(), args.removeAt(i--);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zestora_bench DATADIR [--runs N] [--import-runs N]\n");
        return 1;
    }
    const QString folder = args.first();
    const QString path = DataSource::tablePath(folder, TableDef::Recipes);
    const std::string tool = ZESTORA_TOOL;
    QTemporaryDir tmp;
    const QString outPath = tmp.filePath(QStringLiteral("ZestoDB.cdb"));
    QFile::copy(path, outPath);

    SearchCriteria search;
    search.name = QStringLiteral("chicken");
    search.ingredient = QStringLiteral("garlic");
    int totalRecords = 0;

    std::map<std::string, Figure> figures;
    std::vector<double> floorCmd, floorIn;
    auto record = [&](const char* name, double ms, double floor, double extra = 0) {
        Figure& f = figures[name];
        f.ms.push_back(ms);
        f.ratio.push_back(ms / floor);
        f.extra = extra;
    };

    // A child's maximum resident set size counts its parent's memory at the moment it was started, so the
    // tool's peak is taken first, while this process is still small.
    std::vector<double> peakMb;
    for (int round = 0; round < runs; ++round)
        peakMb.push_back(runChild({ tool, "check", local(folder) }) / 1024.0);

    for (int round = 0; round < runs; ++round) {
        const double cmd = medianOf(1, [&] {
            runChild({ "iconv", "-f", "WINDOWS-1252", "-t", "UTF-16LE", local(path) });
        });
        const double in = medianOf(1, [&] { iconvInProcess(path); });
        floorCmd.push_back(cmd);
        floorIn.push_back(in);

        std::unique_ptr<DataSource1> source;
        record("load recipe table", medianOf(1, [&] { source = std::make_unique<DataSource1>(path); }), cmd);
        totalRecords = source->recordset().totalRecordCount();
        source.reset();

        int found = 0;
        const double searchMs = medianOf(1, [&] {
            DataSource1 s(path);
            found = static_cast<int>(listRecipes(s.recordset(), search).names.size());
        });
        record("load + search name and ingredient", searchMs, cmd, found);

        record("load + save back",
               medianOf(1,
                        [&] {
                            DataSource1 s(outPath);
                            if (auto error = TableWriter::write(s.recordset(), s.definition(), outPath))
                                qFatal("write failed: %s", qPrintable(error->description()));
                        }),
               cmd);

        record("zestora check (process)", medianOf(1, [&] { runChild({ tool, "check", local(folder) }); }), cmd);
        record("zestora list --name --ingredient",
               medianOf(1,
                        [&] {
                            runChild({ tool, "list", local(folder), "--name", "chicken", "--ingredient", "garlic" });
                        }),
               cmd);
    }

    // Master list import through the command-line tool into an empty ingredient list: 2,500, 5,000 and
    // 10,000 lines (the last line past the list's limit of 9,999 entries is refused), to show it linear.
    std::map<int, double> importMs;
    for (int lines : { 2500, 5000, 10000 }) {
        QByteArray text;
        for (int i = 0; i < lines; ++i)
            text += "ingredient " + QByteArray::number((i * 7919) % 100003) + "," + QByteArray::number(i % 40) + "\r\n";
        const QString listPath = tmp.filePath(QStringLiteral("ingredients.txt"));
        QFile list(listPath);
        if (!list.open(QIODevice::WriteOnly) || list.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(listPath));
        list.close();
        importMs[lines] = medianOf(importRuns, [&] {
            const QString dataDir = tmp.filePath(QStringLiteral("import"));
            QDir(dataDir).removeRecursively();
            QDir().mkpath(dataDir);
            QFile empty(DataSource::tablePath(dataDir, TableDef::Ingredients));
            if (!empty.open(QIODevice::WriteOnly))
                qFatal("cannot write the ingredient table");
            const int fields = TableCatalogue::table(TableDef::Ingredients).ownFieldCount();
            empty.write(TableFile::headerFromNothing(0, fields).toLatin1() + "\r\n");
            empty.close();
            runChild({ tool, "master", local(dataDir), "ingr", "--import", local(listPath) });
        });
    }

    std::printf("recipes: %d records, %lld bytes; median of %d rounds\n", totalRecords,
                static_cast<long long>(QFile(path).size()), runs);
    std::printf("%-36s %10.2f ms\n", "floor: iconv command", median(floorCmd));
    std::printf("%-36s %10.2f ms  (for comparison)\n", "iconv(3) in process, whole file", median(floorIn));
    for (const char* name : { "load recipe table", "load + search name and ingredient", "load + save back",
                              "zestora check (process)", "zestora list --name --ingredient" }) {
        const Figure& f = figures[name];
        std::printf("%-36s %10.2f ms  %6.2fx floor", name, median(f.ms), median(f.ratio));
        if (std::string(name) == "load + search name and ingredient")
            std::printf("  (%d found)", static_cast<int>(f.extra));
        std::printf("\n");
    }
    std::printf("%-36s %10.1f MB\n", "zestora check peak memory (max RSS)", median(peakMb));
    for (const auto& [lines, ms] : importMs)
        std::printf("master list import, %5d lines (process) %8.2f ms  %6.1f us/line\n", lines, ms,
                    ms * 1000.0 / lines);
    return 0;
}
