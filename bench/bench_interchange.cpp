// Times recipe import and export on a generated Meal-Master archive of 20,000 recipes (two-column ingredient
// blocks, section headings, continuation lines) in which 35 titles repeat over and over, so that every import
// after the first few hundred has to number its title. The import runs up to the 15999-recipe limit.
//
// Each figure is the median of several rounds and is given as a ratio to the floor measured in the same round:
// converting the same file from Windows-1252 to UTF-16 with iconv(1) ("iconv -f WINDOWS-1252 -t UTF-16"). The
// in-process equivalent (reading the file and decoding it to a QString) is printed beside it.
//
// Usage: zestora_bench_interchange [RECIPES [ROUNDS]]   (defaults 20000 and 5)
#include "BenchTiming.h"
#include "base/Dialogs.h"
#include "interchange/ImportFile.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "recipes/RecipeTable.h"
#include "storage/Cp1252.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRepeatedTitles = 35;

QByteArray column(const char* qty, const char* units, const QByteArray& item)
{
    QByteArray q(qty);
    QByteArray u(units);
    return QByteArray(7 - q.size(), ' ') + q + ' ' + u + QByteArray(2 - u.size(), ' ') + ' ' + item;
}

QByteArray recipe(int i)
{
    static const char* const words[] = { "chicken", "beef",  "onion", "garlic", "carrot", "celery", "tomato",
                                         "basil",   "thyme", "flour", "sugar",  "butter", "milk",   "pepper" };
    const QByteArray a = words[i % 14];
    const QByteArray b = words[(i * 7 + 3) % 14];
    QByteArray out;
    out.reserve(1600);
    out += "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n";
    out += "      Title: Grandma's " + QByteArray(words[i % kRepeatedTitles % 14]) + " dish "
        + QByteArray::number(i % kRepeatedTitles) + "\r\n";
    out += " Categories: Main dish, " + a + "\r\n";
    out += "      Yield: " + QByteArray::number(2 + i % 6) + " servings\r\n\r\n";
    for (int k = 0; k < 4; ++k)
        out += column("1 1/2", "c", "Chopped " + a).leftJustified(41, ' ') + column("2", "tb", "Fresh " + b) + "\r\n";
    out += column("1", "lb", "Boneless " + a + ", cut into") + "\r\n";
    out += "           -bite-size pieces\r\n\r\n";
    out += "MMMMM--------------------------SAUCE-------------------------------\r\n";
    out += column("1", "c", b + " stock").leftJustified(41, ' ') + column("1/4", "ts", "Salt") + "\r\n";
    out += column("2", "ts", "Cornstarch") + "\r\n\r\n";
    out += "  Heat the oil in a large pan and brown the " + a + " on all sides. Add the\r\n";
    out += "  " + b + " and cook until tender, about ten minutes.\r\n\r\n";
    out += "  Stir the sauce ingredients together, pour over and simmer until thick.\r\n\r\n";
    out += "MMMMM\r\n\r\n";
    return out;
}

std::unique_ptr<Recordset> table(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

double peakRssMb()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// The database limit is told once per run; the benchmark answers it silently.
class QuietDialogs : public StderrDialogs
{
public:
    MsgAnswer message(const QString&, const QString&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QuietDialogs quiet;
    Dialogs::setBackend(&quiet);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    const int rounds = argc > 2 ? QByteArray(argv[2]).toInt() : 5;
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("archive.mmf"));
    {
        QFile f(archive);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(archive));
        for (int i = 0; i < count; ++i)
            f.write(recipe(i));
    }
    const QString iconv = QStandardPaths::findExecutable(QStringLiteral("iconv"));

    std::vector<double> iconvMs, decodeMs, importMs, ratioIconv, ratioDecode;
    double peakAfterImport = 0;
    std::unique_ptr<Recordset> recipes;
    ImportResult result;
    for (int round = 0; round < rounds; ++round) {
        // The import first, so that the first round's peak memory is the import's own.
        importMs.push_back(bestOf(1, [&] {
            recipes.reset();
            recipes = table(TableDef::Recipes);
            auto categories = table(TableDef::Categories);
            RecipeImporter importer(*recipes, categories.get());
            QString error;
            if (!ImportFile::run(archive, importer, {}, result, &error))
                qFatal("import failed: %s", qPrintable(error));
        }));
        if (round == 0)
            peakAfterImport = peakRssMb();
        const int expected = std::min(count, int(RecipeTable::kMaxRecipes));
        if (result.saved != expected || !result.skipped.isEmpty())
            qFatal("imported %d of %d recipes, %d skipped", result.saved, expected, int(result.skipped.size()));

        if (!iconv.isEmpty()) {
            iconvMs.push_back(bestOf(1, [&] {
                QProcess p;
                p.setStandardOutputFile(QProcess::nullDevice());
                p.start(iconv,
                        { QStringLiteral("-f"), QStringLiteral("WINDOWS-1252"), QStringLiteral("-t"),
                          QStringLiteral("UTF-16"), archive });
                if (!p.waitForFinished(-1) || p.exitCode() != 0)
                    qFatal("iconv failed");
            }));
            ratioIconv.push_back(importMs.back() / iconvMs.back());
        }
        decodeMs.push_back(bestOf(1, [&] {
            QFile f(archive);
            if (!f.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(archive));
            const QString text = Cp1252::decode(f.readAll());
            if (text.isEmpty())
                qFatal("nothing decoded");
        }));
        ratioDecode.push_back(importMs.back() / decodeMs.back());
    }

    const QVector<RecipeRecord> all = RecipeExporter::viewRecipes(*recipes);
    double exportMs[2] = { 0, 0 };
    for (int layout = 0; layout < 2; ++layout) {
        const QString out = dir.filePath(layout ? QStringLiteral("out.mxp") : QStringLiteral("out.mmf"));
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            times.push_back(bestOf(1, [&] {
                const auto r = RecipeExporter::exportToFile(out, static_cast<ExportLayout>(layout), all);
                if (!r.ok || r.written != all.size())
                    qFatal("export failed: %s", qPrintable(r.error));
            }));
        }
        exportMs[layout] = median(times);
    }

    const double floorMs = iconvMs.empty() ? median(decodeMs) : median(iconvMs);
    std::printf("archive: %d recipes (%d titles repeating), %.1f MB; %d imported up to the limit; medians of %d "
                "rounds\n",
                count, kRepeatedTitles, QFileInfo(archive).size() / 1e6, result.saved, rounds);
    if (!iconvMs.empty())
        std::printf("%-34s %9.1f ms  (floor)\n", "iconv WINDOWS-1252 -> UTF-16", median(iconvMs));
    std::printf("%-34s %9.1f ms\n", "read + decode in process", median(decodeMs));
    std::printf("%-34s %9.1f ms  %6.1fx iconv  %6.1fx in-process  (target 16x iconv)\n", "import Meal-Master",
                median(importMs), iconvMs.empty() ? 0.0 : median(ratioIconv), median(ratioDecode));
    std::printf("%-34s %9.1f us  (peer program: about 112 us)\n", "import per recipe",
                median(importMs) * 1000.0 / std::max(1, result.saved));
    std::printf("%-34s %9.1f MB  (target 150 MB)\n", "peak memory after the first import", peakAfterImport);
    std::printf("%-34s %9.1f ms  %6.1fx floor\n", "export Meal-Master", exportMs[0], exportMs[0] / floorMs);
    std::printf("%-34s %9.1f ms  %6.1fx floor\n", "export MasterCook", exportMs[1], exportMs[1] / floorMs);
    return 0;
}
