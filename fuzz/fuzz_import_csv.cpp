// Recipe import of user-ordered CSV files: the first byte chooses the column order.
#include "FuzzImport.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const QStringList orders[] = {
        {QStringLiteral("Title"), QStringLiteral("Ingredients"), QStringLiteral("Instructions")},
        {QStringLiteral("Title"), QStringLiteral("Categories"), QStringLiteral("Servings"),
         QStringLiteral("Ingredients"), QStringLiteral("Instructions"), QStringLiteral("Nutrition"),
         QStringLiteral("Rating"), QStringLiteral("Source")},
        {QStringLiteral("IGNORE this field"), QStringLiteral("Title"), QStringLiteral("Instructions")},
        {},
    };
    ImportOptions options;
    options.csv = true;
    options.csvFields = orders[data[0] % 4];
    fuzzImport(fuzzBytes(data + 1, size - 1), options);
    return 0;
}
