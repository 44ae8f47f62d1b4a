// Each recipe reader on its own, driven the way the import run drives it; the first byte chooses the reader.
// A reader that neither takes a recipe nor moves on would loop for ever: the guard turns that into a crash.
#include "FuzzInput.h"

#include "interchange/CsvRecipeFormat.h"
#include "interchange/LineSource.h"
#include "interchange/MasterCookFormat.h"
#include "interchange/MealMasterFormat.h"
#include "interchange/PocketRecipesFormat.h"
#include "interchange/WizardFormat.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::unique_ptr<RecipeFormat> format;
    switch (data[0] % 5) {
    case 0:
        format = std::make_unique<MealMasterFormat>();
        break;
    case 1:
        format = std::make_unique<MasterCookFormat>();
        break;
    case 2:
        format = std::make_unique<PocketRecipesFormat>();
        break;
    case 3:
        format = std::make_unique<WizardFormat>();
        break;
    default:
        format = std::make_unique<CsvRecipeFormat>(
            QStringList{QStringLiteral("Title"), QStringLiteral("Ingredients"), QStringLiteral("Instructions")});
        break;
    }
    const bool everyLine = data[0] % 5 >= 2; // record layouts: one recipe per record after the heading
    LineSource source(fuzzBytes(data + 1, size - 1));
    source.readLine();
    qint64 steps = 0;
    while (source.hasLine() || !source.atEnd()) {
        if (++steps > 1000000)
            std::abort();
        if (everyLine || format->canRead(source.current())) {
            const int start = source.lineNumber();
            ImportedRecipe recipe;
            format->read(source, recipe);
            if (source.lineNumber() != start)
                continue;
        }
        if (!source.readLine())
            break;
    }
    return 0;
}
