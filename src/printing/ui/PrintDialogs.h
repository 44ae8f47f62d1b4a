#pragma once

class QPrinter;
class QWidget;

// The printer dialogs of the preview window: print (with a page range), printer setup and page setup. The
// application uses the Qt dialogs; tests install their own so that no test ever blocks on a modal dialog.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // Asks how to print pages 1..pageCount; true to print pages *from..*to (set on return).
    virtual bool print(QPrinter& printer, int pageCount, int* from, int* to, QWidget* parent) = 0;
    // Chooses and sets up the printer; true when confirmed.
    virtual bool printerSetup(QPrinter& printer, QWidget* parent) = 0;
    // Chooses paper and margins into printer's page layout; true when confirmed.
    virtual bool pageSetup(QPrinter& printer, QWidget* parent) = 0;

    // The dialogs in use; the Qt dialogs unless a test installed others (not owned; nullptr restores them).
    static PrintDialogs& current();
    static void setCurrent(PrintDialogs* dialogs);
};
