// Writes a realistic full data folder for the benchmarks (15999 recipes unless told otherwise).
#include "DataGenerator.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zestora_gendata DATADIR [RECIPES]\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int recipes = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 15999;
    if (const auto error = DataGenerator::writeFolder(folder, recipes)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 2;
    }
    std::printf("wrote %d recipes to %s\n", recipes, qPrintable(folder));
    return 0;
}
