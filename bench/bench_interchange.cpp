// Times recipe import and export on a generated Meal-Master archive of 15999 recipes (two-column ingredient
// blocks, section headings, continuation lines) and prints each figure with its ratio to the floor: reading
// the raw bytes of the archive and splitting them into lines.
#include "BenchTiming.h"
#include "interchange/ImportFile.h"
#include "interchange/RecipeExporter.h"
#include "interchange/RecipeImporter.h"
#include "storage/Recordset.h"
#include "storage/TableFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

QByteArray column(const char* qty, const char* units, const QByteArray& item)
{
    QByteArray q(qty);
    QByteArray u(units);
    return QByteArray(7 - q.size(), ' ') + q + ' ' + u + QByteArray(2 - u.size(), ' ') + ' ' + item;
}

QByteArray generate(int count)
{
    static const char* const words[] = { "chicken", "beef",  "onion", "garlic", "carrot", "celery", "tomato",
                                         "basil",   "thyme", "flour", "sugar",  "butter", "milk",   "pepper" };
    QByteArray out;
    out.reserve(count * 1400);
    for (int i = 0; i < count; ++i) {
        const QByteArray a = words[i % 14];
        const QByteArray b = words[(i * 7 + 3) % 14];
        out += "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n";
        out += "      Title: " + a + " and " + b + " dish " + QByteArray::number(i) + "\r\n";
        out += " Categories: Main dish, " + a + "\r\n";
        out += "      Yield: " + QByteArray::number(2 + i % 6) + " servings\r\n\r\n";
        for (int k = 0; k < 4; ++k) {
            out += column("1 1/2", "c", "Chopped " + a).leftJustified(41, ' ') + column("2", "tb", "Fresh " + b)
                + "\r\n";
        }
        out += column("1", "lb", "Boneless " + a + ", cut into") + "\r\n";
        out += "           -bite-size pieces\r\n\r\n";
        out += "MMMMM--------------------------SAUCE-------------------------------\r\n";
        out += column("1", "c", b + " stock").leftJustified(41, ' ') + column("1/4", "ts", "Salt") + "\r\n";
        out += column("2", "ts", "Cornstarch") + "\r\n\r\n";
        out += "  Heat the oil in a large pan and brown the " + a + " on all sides. Add the\r\n";
        out += "  " + b + " and cook until tender, about ten minutes.\r\n\r\n";
        out += "  Stir the sauce ingredients together, pour over and simmer until thick.\r\n\r\n";
        out += "MMMMM\r\n\r\n";
    }
    return out;
}

std::unique_ptr<Recordset> table(TableDef::Id id)
{
    auto rs = std::make_unique<Recordset>();
    TableFile::defineFields(*rs, TableCatalogue::table(id));
    return rs;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : RecipeImporter::RecipeLimit;
    const int runs = 3;
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("archive.mmf"));
    {
        QFile f(archive);
        if (!f.open(QIODevice::WriteOnly) || f.write(generate(count)) < 0)
            qFatal("cannot write %s", qPrintable(archive));
    }

    qsizetype lineCount = 0;
    const double floorMs = bestOf(runs, [&] {
        QFile f(archive);
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(archive));
        const QByteArray bytes = f.readAll();
        lineCount = bytes.split('\n').size();
    });

    std::unique_ptr<Recordset> recipes;
    ImportResult result;
    const double importMs = bestOf(runs, [&] {
        recipes = table(TableDef::Recipes);
        auto categories = table(TableDef::Categories);
        RecipeImporter importer(*recipes, categories.get());
        QString error;
        if (!ImportFile::run(archive, importer, {}, result, &error))
            qFatal("import failed: %s", qPrintable(error));
    });
    if (result.saved != count || !result.skipped.isEmpty())
        qFatal("imported %d of %d recipes", result.saved, count);

    const QVector<RecipeRecord> all = RecipeExporter::viewRecipes(*recipes);
    double exportMs[2] = { 0, 0 };
    for (int layout = 0; layout < 2; ++layout) {
        const QString out = dir.filePath(layout ? QStringLiteral("out.mxp") : QStringLiteral("out.mmf"));
        exportMs[layout] = bestOf(runs, [&] {
            const auto r = RecipeExporter::exportToFile(out, static_cast<ExportLayout>(layout), all);
            if (!r.ok || r.written != count)
                qFatal("export failed: %s", qPrintable(r.error));
        });
    }

    std::printf("archive: %d recipes, %lld lines, %.1f MB\n", count, static_cast<long long>(lineCount),
                QFileInfo(archive).size() / 1e6);
    std::printf("%-30s %9.1f ms  (floor)\n", "read + split lines", floorMs);
    std::printf("%-30s %9.1f ms  %6.1fx floor  (target 3000 ms)\n", "import Meal-Master", importMs, importMs / floorMs);
    std::printf("%-30s %9.1f ms  %6.1fx floor  (target 1000 ms)\n", "export Meal-Master", exportMs[0],
                exportMs[0] / floorMs);
    std::printf("%-30s %9.1f ms  %6.1fx floor\n", "export MasterCook", exportMs[1], exportMs[1] / floorMs);
    return 0;
}
