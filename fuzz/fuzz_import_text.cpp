// Recipe import of the four marker layouts (Meal-Master and RecipeCenter, MasterCook, PocketRecipes, Cookbook
// Wizard), recognised by their marker lines as a user's import run does.
#include "FuzzImport.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzImport(fuzzBytes(data, size), ImportOptions());
    return 0;
}
