#include "shell/LoadFailure.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"

#include <cstdlib>

namespace {
LoadFailure::EndHook& endHook()
{
    static LoadFailure::EndHook hook;
    return hook;
}
} // namespace

void LoadFailure::report(const TableLoadError& failure)
{
    const TableDef& def = TableCatalogue::table(failure.table());
    const AppError error = failure.error();
    switch (def.id) {
    case TableDef::Recipes:
        Dialogs::message(QStringLiteral("Error"),
                         QStringLiteral("An error occurred while loading data source 1.") + CRLF + CRLF
                             + QStringLiteral("If you are not running Windows 2000 or XP, please make sure you have "
                                              "installed the MDAC update from our support page.")
                             + CRLF + CRLF + QStringLiteral("ErrorCode = %1").arg(error.number()) + CRLF + CRLF
                             + QStringLiteral("Filename = ") + failure.path(),
                         MsgButtons::Ok, MsgIcon::Critical);
        break;
    case TableDef::Preferences:
        ShowError(QStringLiteral("loading data source prefs"),
                  QStringLiteral("If this is a new install, try synchronizing your handheld again. Also, you may "
                                 "need the MDAC update from our support page.")
                      + CRLF + CRLF + QStringLiteral("Filename = ") + failure.path(),
                  error);
        break;
    default:
        ShowError(QStringLiteral("loading data source ") + def.sourceNumber, QString(), error);
        break;
    }
}

void LoadFailure::endProgram(const TableLoadError& error)
{
    report(error);
    if (endHook()) {
        endHook()(error);
        return;
    }
    std::exit(2);
}

void LoadFailure::setEndHook(EndHook hook)
{
    endHook() = std::move(hook);
}
