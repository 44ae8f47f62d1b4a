#include "printing/ui/PrintDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtPrintDialogs : public PrintDialogs
{
public:
    bool print(QPrinter& printer, int pageCount, int* from, int* to, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Print"));
        dialog.setMinMax(1, pageCount);
        dialog.setFromTo(1, pageCount);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (printer.printRange() == QPrinter::PageRange) {
            *from = printer.fromPage();
            *to = printer.toPage();
        } else {
            *from = 1;
            *to = pageCount;
        }
        return true;
    }

    bool printerSetup(QPrinter& printer, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
        return dialog.exec() == QDialog::Accepted;
    }

    bool pageSetup(QPrinter& printer, QWidget* parent) override
    {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

PrintDialogs* g_current = nullptr;

} // namespace

PrintDialogs& PrintDialogs::current()
{
    static QtPrintDialogs qtDialogs;
    return g_current ? *g_current : qtDialogs;
}

void PrintDialogs::setCurrent(PrintDialogs* dialogs)
{
    g_current = dialogs;
}
