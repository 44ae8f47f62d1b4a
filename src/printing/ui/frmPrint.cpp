#include "printing/ui/frmPrint.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "printing/RtfWriter.h"
#include "printing/ui/PrintDialogs.h"
#include "printing/ui/ReportPainter.h"
#include "printing/ui/ReportPreview.h"
#include "shell/AppState.h"
#include "storage/DataSource.h"
#include "storage/SafeFile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

const QString BuildAction = QStringLiteral("building the print document");

PrintPreviewOpener& previewOpener()
{
    static PrintPreviewOpener opener;
    return opener;
}

} // namespace

const QStringList& frmPrint::zoomEntries()
{
    static const QStringList entries { "Thumbnail", "TwoPages", "WholePage", "PageWidth", "25%", "50%",
                                       "75%",       "100%",     "150%",      "200%",      "400%" };
    return entries;
}

frmPrint::frmPrint(const PrintOptions& options, QWidget* parent)
    : QDialog(parent)
    , m_options(options)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setModal(true);
    buildUi();

    m_doc.setDocName(ReportComposer::DocName);
    m_exportPath = QDir(AppState::instance().dataPath).filePath(ReportComposer::ExportFileName);
    m_cmbZoomMode->setCurrentText(QStringLiteral("WholePage"));
    zoomChosen(QStringLiteral("WholePage"));
    compose();
}

frmPrint::~frmPrint() = default;

void frmPrint::buildUi()
{
    m_cmdPrint = button(this, "cmdPrint", QStringLiteral("&Print"));
    m_cmdSaveFile = button(this, "cmdSaveFile", QStringLiteral("&Save to File..."));
    m_cmdPrinterSetup = button(this, "cmdPrinterSetup", QStringLiteral("Printer Setup"));
    m_cmdPageSetup = button(this, "cmdPageSetup", QStringLiteral("Page Setup"));
    m_cmdCancel = button(this, "cmdCancel", QStringLiteral("&Cancel"));
    m_cmdFirst = button(this, "cmdFirst", QStringLiteral("First Page"));
    m_cmdPrevious = button(this, "cmdPrevious", QStringLiteral("Previous Page"));
    m_cmdNext = button(this, "cmdNext", QStringLiteral("Next Page"));
    m_cmdLast = button(this, "cmdLast", QStringLiteral("Last Page"));

    m_cmbZoomMode = new QComboBox(this);
    m_cmbZoomMode->setObjectName(QStringLiteral("cmbZoomMode"));
    m_cmbZoomMode->addItems(zoomEntries());
    m_cmbZoomMode->setToolTip(QStringLiteral("Zoom"));

    m_scrlPage = new QScrollBar(Qt::Horizontal, this);
    m_scrlPage->setObjectName(QStringLiteral("scrlPage"));
    m_scrlPage->setMinimum(1);
    m_scrlPage->setPageStep(1);
    m_scrlPage->setMinimumWidth(160);

    m_lblPage = new QLabel(this);
    m_lblPage->setObjectName(QStringLiteral("lblPage"));
    m_lblPage->setMinimumWidth(110);
    m_lblPage->setAlignment(Qt::AlignCenter);

    m_vp = new ReportPreview(this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_cmdPrint);
    top->addWidget(m_cmdSaveFile);
    top->addSpacing(12);
    top->addWidget(m_cmdPrinterSetup);
    top->addWidget(m_cmdPageSetup);
    top->addStretch(1);
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomLabel->setBuddy(m_cmbZoomMode);
    top->addWidget(zoomLabel);
    top->addWidget(m_cmbZoomMode);
    top->addSpacing(12);
    top->addWidget(m_cmdCancel);

    auto* pages = new QHBoxLayout;
    pages->addWidget(m_cmdFirst);
    pages->addWidget(m_cmdPrevious);
    pages->addWidget(m_scrlPage, 1);
    pages->addWidget(m_cmdNext);
    pages->addWidget(m_cmdLast);
    pages->addWidget(m_lblPage);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(pages);
    layout->addWidget(m_vp, 1);
    resize(860, 900);

    connect(m_cmdFirst, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(m_cmdPrevious, &QPushButton::clicked, this, [this] { showPage(pageShown() - 1); });
    connect(m_cmdNext, &QPushButton::clicked, this, [this] { showPage(pageShown() + 1); });
    connect(m_cmdLast, &QPushButton::clicked, this, [this] { showPage(pageCount()); });
    connect(m_scrlPage, &QScrollBar::valueChanged, this, [this](int value) { showPage(value); });
    connect(m_cmbZoomMode, &QComboBox::textActivated, this, &frmPrint::zoomChosen);
    connect(m_vp, &ReportPreview::pageClicked, this, [this](int page) { showPage(page); });
    connect(m_cmdPrint, &QPushButton::clicked, this, &frmPrint::printReport);
    connect(m_cmdPrinterSetup, &QPushButton::clicked, this, &frmPrint::printerSetup);
    connect(m_cmdPageSetup, &QPushButton::clicked, this, &frmPrint::pageSetup);
    connect(m_cmdSaveFile, &QPushButton::clicked, this, &frmPrint::saveToFile);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrint::compose()
{
    AppState& state = AppState::instance();
    const QDate today = QDate::currentDate();
    try {
        switch (m_options.kind) {
        case PrintOptions::Recipes:
            if (!state.recipes)
                throw AppError(AppError::InvalidCall, QStringLiteral("The recipe table is not loaded."));
            ReportComposer::composeRecipes(m_doc, state.recipes->recordset(), m_options, today);
            break;
        case PrintOptions::ShoppingList: {
            DataSource7 shop(state.tablePath(TableDef::ShoppingList));
            ReportComposer::composeShoppingList(m_doc, shop.recordset(), today);
            break;
        }
        case PrintOptions::Menu:
            if (!state.menu)
                throw AppError(AppError::InvalidCall, QStringLiteral("The menu planner table is not loaded."));
            ReportComposer::composeMenu(m_doc, state.menu->recordset(), today);
            break;
        }
    } catch (const std::exception& e) {
        // The pages composed so far stay in the preview.
        ShowError(BuildAction, QString(), e);
    }
    paginate();
}

void frmPrint::paginate()
{
    m_pages = std::make_shared<const ReportPainter>(m_doc);
    m_vp->setPages(m_pages);
    writeExport();
    updatePageControls();
}

void frmPrint::writeExport()
{
    m_exportWritten = false;
    if (AppState::instance().dataPath.isEmpty())
        return;
    if (const auto error = RtfWriter(&ReportPainter::pictureAsPng).writeFile(m_doc, m_exportPath))
        ShowError(BuildAction, m_exportPath, *error);
    else
        m_exportWritten = true;
}

int frmPrint::pageCount() const
{
    return m_vp->pageCount();
}

int frmPrint::pageShown() const
{
    return m_vp->previewPage();
}

void frmPrint::showPage(int page)
{
    m_vp->setPreviewPage(page);
    updatePageControls();
}

QString frmPrint::pageLabelText() const
{
    const int shown = pageShown();
    const int count = pageCount();
    if (m_vp->zoomMode() == ReportPreview::TwoPages && shown < count)
        return QStringLiteral("%1 - %2 of %3").arg(shown).arg(shown + 1).arg(count);
    return QStringLiteral("%1 of %2").arg(shown).arg(count);
}

void frmPrint::updatePageControls()
{
    const QSignalBlocker block(m_scrlPage);
    m_scrlPage->setMaximum(std::max(1, pageCount()));
    m_scrlPage->setValue(pageShown());
    m_lblPage->setText(pageLabelText());
    m_cmdFirst->setEnabled(pageShown() > 1);
    m_cmdPrevious->setEnabled(pageShown() > 1);
    m_cmdNext->setEnabled(pageShown() < pageCount());
    m_cmdLast->setEnabled(pageShown() < pageCount());
}

void frmPrint::zoomChosen(const QString& entry)
{
    if (entry.contains(QLatin1Char('%'))) {
        m_vp->setZoom(QString(entry).remove(QLatin1Char('%')).trimmed().toInt());
    } else {
        static const QHash<QString, ReportPreview::ZoomMode> modes { { "Thumbnail", ReportPreview::Thumbnail },
                                                                     { "TwoPages", ReportPreview::TwoPages },
                                                                     { "WholePage", ReportPreview::WholePage },
                                                                     { "PageWidth", ReportPreview::PageWidth } };
        m_vp->setZoomMode(modes.value(entry, ReportPreview::WholePage));
    }
    updatePageControls();
}

QPrinter& frmPrint::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(m_doc.docName());
    }
    return *m_printer;
}

void frmPrint::printReport()
{
    QPrinter& p = printer();
    int from = 1;
    int to = pageCount();
    if (!PrintDialogs::current().print(p, pageCount(), &from, &to, this))
        return;
    if (from < 1 || to < 1) { // no range chosen: the whole report
        from = 1;
        to = pageCount();
    }
    p.setFullPage(true);
    if (!m_pages->paintPages(p, from, to))
        ShowError(QStringLiteral("printing"), p.printerName(), AppError::of(AppError::DeviceIoError));
}

void frmPrint::printerSetup()
{
    PrintDialogs::current().printerSetup(printer(), this);
}

void frmPrint::pageSetup()
{
    QPrinter& p = printer();
    const ReportPaper paper = m_doc.paper();
    p.setPageLayout(QPageLayout(
        QPageSize(QSizeF(paper.widthInches, paper.heightInches), QPageSize::Inch, QString(), QPageSize::FuzzyMatch),
        QPageLayout::Portrait, QMarginsF(paper.marginLeft, paper.marginTop, paper.marginRight, paper.marginBottom),
        QPageLayout::Inch));
    if (!PrintDialogs::current().pageSetup(p, this))
        return;
    const QPageLayout layout = p.pageLayout();
    // Millimetres keep the paper's size closest (inches are rounded to two decimals, points to whole ones).
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter) / 25.4;
    ReportPaper chosen = paper;
    chosen.widthInches = full.width() / 25.4;
    chosen.heightInches = full.height() / 25.4;
    chosen.marginLeft = margins.left();
    chosen.marginRight = margins.right();
    chosen.marginTop = margins.top();
    chosen.marginBottom = margins.bottom();
    chosen.customCard = paper.customCard && qAbs(chosen.widthInches - paper.widthInches) < 0.02
        && qAbs(chosen.heightInches - paper.heightInches) < 0.02;
    // Margins that leave no room for text are not taken.
    if (chosen.contentWidth() < 1.0 || chosen.heightInches - chosen.marginTop - chosen.marginBottom < 1.0) {
        Dialogs::message(QStringLiteral("Page Setup"), QStringLiteral("The margins leave no room for the report."));
        return;
    }
    m_doc.setPaper(chosen);
    paginate();
}

void frmPrint::saveToFile()
{
    const QString title = QStringLiteral("Save Report to File (RTF)");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = Dialogs::saveFile(title, QStringLiteral("Rich Text (*.rtf);;All files (*.*)"),
                                           QDir(documents).filePath(QStringLiteral("*.rtf")));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive)) {
        Dialogs::message(QStringLiteral("File Format Error"),
                         QStringLiteral("The file format must be an RTF file, so the filename must have an "
                                        "extension of .rtf."),
                         MsgButtons::Ok);
        return;
    }
    if (QFileInfo::exists(path)
        && Dialogs::message(title,
                            QDir::toNativeSeparators(path) + QStringLiteral(" already exists.") + CRLF
                                + QStringLiteral("Do you want to replace it?"),
                            MsgButtons::YesNo, MsgIcon::Exclamation)
            != MsgAnswer::Yes)
        return;
    const QString action = QStringLiteral("saving the report");
    if (!m_exportWritten) {
        // The copy in the data folder could not be written: write the chosen file directly.
        if (const auto error = RtfWriter(&ReportPainter::pictureAsPng).writeFile(m_doc, path))
            ShowError(action, path, *error);
        return;
    }
    if (QFileInfo(path) == QFileInfo(m_exportPath))
        return;
    // The copy replaces an existing file (the dialog asked) and never leaves half a file.
    if (!QFile::exists(m_exportPath)) {
        ShowError(action, m_exportPath, AppError::of(AppError::FileNotFound));
        return;
    }
    if (const auto error = SafeFile::copy(m_exportPath, path))
        ShowError(action, path, *error);
}

void frmPrint::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(pageShown() + 1);
        return;
    case Qt::Key_PageUp:
        showPage(pageShown() - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(1);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(pageCount());
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void setPrintPreviewOpener(PrintPreviewOpener opener)
{
    previewOpener() = std::move(opener);
}

void openPrintPreview(const PrintOptions& options, QWidget* parent)
{
    if (previewOpener()) {
        previewOpener()(options, parent);
        return;
    }
    frmPrint window(options, parent);
    window.exec();
}
