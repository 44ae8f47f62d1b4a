#include "quantities/SmartPaste.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "quantities/Quantity.h"
#include "shell/AppState.h"

bool ConvertUnitsOnPaste()
{
    if (QuantityValue(AppState::instance().preference(QStringLiteral("abbrev_ingr"))) == 1.0)
        return true;
    return Dialogs::message(QStringLiteral("Convert Units?"),
                            QStringLiteral("Would you like to convert the units for this recipe to shorter, "
                                           "standard units?"),
                            MsgButtons::YesNo)
        == MsgAnswer::Yes;
}

QString EquivalentsText()
{
    return AppState::instance().preference(QStringLiteral("equivalents")).replace(QLatin1String("\\n"), CRLF);
}
