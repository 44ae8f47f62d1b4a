#pragma once

#include <QString>

#include <optional>

// Generated data folders for the benchmarks and the storage tests.
namespace DataGenerator {

// Replaces folder with a realistic full data folder: recipes with 8-20 ingredient lines, 1-3 KB of
// instructions, categories, nutrition on some, and master lists of a few hundred entries. The same
// arguments always give the same bytes. Returns what went wrong, if anything.
std::optional<QString> writeFolder(const QString& folder, int recipes);

} // namespace DataGenerator
