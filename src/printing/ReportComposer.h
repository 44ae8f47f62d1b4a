#pragma once

#include "printing/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QStringList>

class Recordset;

// What to print, as chosen before the preview opens.
struct PrintOptions
{
    enum Kind { Recipes, ShoppingList, Menu };
    Kind kind = Recipes;
    // Recipes only: 3x5 index cards instead of standard paper.
    bool cards = false;
    // Recipes only: print the selected recipes (selectedKeys, in list order) instead of the whole view.
    bool selectedOnly = false;
    QStringList selectedKeys;
    // Recipes only, standard paper: each recipe after the first starts a new page.
    bool newPage = false;
};

// Composition of the three printed reports. Each function fills doc from the start (startDoc) to the end
// (endDoc). When a step throws, the blocks composed so far stay in doc and the exception propagates, so the
// caller can report it and still show those pages.
namespace ReportComposer {

// Document name, export file name and column formats used by the reports.
inline const QString DocName = QStringLiteral("Zestora");
inline const QString ExportFileName = QStringLiteral("report.rtf");
inline const QString IngredientFormat = QStringLiteral("<+0.8in|<+1.0in|<+4.7in~");
inline const QString IngredientFormatBesidePicture = QStringLiteral("<+0.8in|<+1.0in|<+3in~");
inline const QString CardIngredientFormat = QStringLiteral("<+0.6in|<+0.6in|<+3.5in~");
inline const QString ShoppingFormat = QStringLiteral("<+0.5in|<+1.0in|<+2.4in|<+2.8in");
inline const QString MenuFormat = QStringLiteral("<+0.7in|<+5in");
inline const QString Separator = QStringLiteral("_______________________________");

// Steps 1 and 2 common to every report: start, font Arial 10, running page text with the date.
void startReport(ReportDocument& doc, const QDate& date);

// Recipes of the recipe table's current view (all, or the records whose Key matches one of
// options.selectedKeys, in that order; keys not found are skipped). Leaves the table at its first record.
void composeRecipes(ReportDocument& doc, Recordset& recipes, const PrintOptions& options, const QDate& date);
// The shopping list table: live records in "ShopKey ASC" order. Sets that filter and sort on the recordset.
void composeShoppingList(ReportDocument& doc, Recordset& shoppingList, const QDate& date);
// The menu planner table in its current view, sorted "MenuKey ASC". Leaves it at its first record.
void composeMenu(ReportDocument& doc, Recordset& menu, const QDate& date);

// The category list text as printed: the names separated by ", " (empty names skipped).
QString categoriesText(const QString& category);
// Month/day of a menu key that starts with yyyymmdd: "03/15" for "20070315...".
QString menuDateText(const QString& menuKey);

} // namespace ReportComposer
