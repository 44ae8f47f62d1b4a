#pragma once

#include <QString>

#include <optional>

class AppState;

// What the first start of an installed program asks for: where the data folder goes, whether it starts with
// the demo cookbook, and the kind of handheld.
struct FirstRunChoice
{
    QString dataFolder;
    bool demo = true;
    QString installType = QStringLiteral("Palm"); // "Palm" or "PPC"
};

// The installer's part of start-up, done at the first start of an installed program.
namespace FirstRun {

// True when start-up must ask for a data folder before anything else: the settings live in the user's
// configuration folder (an installed program) and name no data folder. A copy whose settings file is beside
// it keeps the "no data folder" message of the start-up instead.
bool needed(const AppState& state);

// The choice offered: "Cookbook" in the user's data folder, with the demo cookbook, for a Palm handheld.
FirstRunChoice proposal();

// Prepares the chosen data folder and writes InstallType and DataPath (with a trailing separator) into the
// settings file at settingsPath. A folder that already holds all thirteen table files is used as it is;
// otherwise the folder is created and filled with the demo cookbook or empty tables. Returns the reason on
// failure: a folder that holds some table files but not all, a folder or file that cannot be written. The
// settings are written only once the folder is ready.
std::optional<QString> apply(const FirstRunChoice& choice, const QString& settingsPath);

} // namespace FirstRun
