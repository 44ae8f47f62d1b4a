#pragma once

#include "printing/ReportComposer.h"
#include "printing/ReportDocument.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;
class ReportPainter;
class ReportPreview;

// The print preview window ("Print Preview"). Opening it composes the report chosen by the options from the
// held tables (recipes, menu) or the shopping list file, writes it as "report.rtf" in the data folder and
// shows it at "WholePage". Its buttons page through the report, zoom, print a page range, set up the
// printer and the page, and save a copy of the RTF file.
class frmPrint : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrint(const PrintOptions& options, QWidget* parent = nullptr);
    ~frmPrint() override;

    const ReportDocument& document() const { return m_doc; }
    int pageCount() const;
    int pageShown() const;
    // Shows a page, clamped to 1..pageCount.
    void showPage(int page);
    QString pageLabelText() const;
    // The full path of the RTF file written when the report is composed.
    QString exportPath() const { return m_exportPath; }

    static const QStringList& zoomEntries();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildUi();
    void compose();
    // Lays the document out again (after a page setup) and rewrites the RTF file.
    void paginate();
    void writeExport();
    void updatePageControls();
    void zoomChosen(const QString& entry);
    void printReport();
    void printerSetup();
    void pageSetup();
    void saveToFile();
    QPrinter& printer();

    PrintOptions m_options;
    ReportDocument m_doc;
    std::shared_ptr<const ReportPainter> m_pages;
    std::unique_ptr<QPrinter> m_printer;
    QString m_exportPath;
    bool m_exportWritten = false;

    ReportPreview* m_vp = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdSaveFile = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdPrinterSetup = nullptr;
    QPushButton* m_cmdPageSetup = nullptr;
    QPushButton* m_cmdFirst = nullptr;
    QPushButton* m_cmdPrevious = nullptr;
    QPushButton* m_cmdNext = nullptr;
    QPushButton* m_cmdLast = nullptr;
    QScrollBar* m_scrlPage = nullptr;
    QLabel* m_lblPage = nullptr;
    QComboBox* m_cmbZoomMode = nullptr;
};

// Opens the preview window modally for the options. Tests replace the opener so that nothing blocks;
// an empty opener restores the window.
void openPrintPreview(const PrintOptions& options, QWidget* parent);
using PrintPreviewOpener = std::function<void(const PrintOptions& options, QWidget* parent)>;
void setPrintPreviewOpener(PrintPreviewOpener opener);
