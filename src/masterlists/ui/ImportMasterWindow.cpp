#include "masterlists/ui/ImportMasterWindow.h"

#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "masterlists/MasterListImport.h"
#include "masterlists/ui/MasterListWindow.h"
#include "shell/ui/WidgetHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kNoFile = QStringLiteral("No File Selected");

} // namespace

ImportMasterWindow::ImportMasterWindow(MasterListWindow* editor)
    : QDialog(editor)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("frmImportMaster"));
    setWindowTitle(QStringLiteral("Import to Master List"));
    setModal(true);

    auto* fileCaption = new QLabel(QStringLiteral("File:"), this);
    m_lblFilename = new QLabel(kNoFile, this);
    m_lblFilename->setObjectName(QStringLiteral("lblFilename"));
    m_lblFilename->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* lblText
        = new QLabel(QStringLiteral("The format of the text file should be: ingredient,aisle and the aisle is "
                                    "optional. Each ingredient in the text file should start on a new line."),
                     this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setWordWrap(true);
    m_lblCount = new QLabel(QStringLiteral("Importing Records: "), this);
    m_lblCount->setObjectName(QStringLiteral("lblCount"));
    m_lblCount->hide();

    m_cmdSelect = WidgetHelpers::button(this, QStringLiteral("cmdSelect"), QStringLiteral("&Select File"));
    m_cmdImport = WidgetHelpers::button(this, QStringLiteral("cmdImport"), QStringLiteral("&Import"));
    m_cmdCancel = WidgetHelpers::button(this, QStringLiteral("cmdCancel"), QStringLiteral("Canc&el"));
    m_cmdCancel->setToolTip(QStringLiteral("Cancel Changes"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(fileCaption, 0, 0);
    grid->addWidget(m_lblFilename, 0, 1);
    grid->addWidget(lblText, 1, 0, 1, 2);
    grid->addWidget(m_lblCount, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdSelect);
    buttons->addWidget(m_cmdImport);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(440, 170);

    connect(m_cmdSelect, &QPushButton::clicked, this, &ImportMasterWindow::onSelect);
    connect(m_cmdImport, &QPushButton::clicked, this, &ImportMasterWindow::onImport);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportMasterWindow::onSelect()
{
    const QString current = m_lblFilename->text();
    const QString start = current == kNoFile ? QString() : QFileInfo(current).absolutePath();
    const QString path
        = Dialogs::openFile(QStringLiteral("Select File"), QStringLiteral("Text files (*.txt);;All files (*)"), start);
    if (!path.isEmpty())
        m_lblFilename->setText(QDir::toNativeSeparators(path));
}

void ImportMasterWindow::onImport()
{
    if (m_lblFilename->text() == kNoFile) {
        Dialogs::message(kNoFile, QStringLiteral("Please select a file."));
        return;
    }
    m_cmdImport->hide();
    m_cmdSelect->hide();
    // The window stays until the last line is in; the Cancel button comes back as OK.
    m_cmdCancel->setEnabled(false);
    m_lblCount->show();
    int count = 0;
    try {
        QFile file(QDir::fromNativeSeparators(m_lblFilename->text()));
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(file.exists() ? AppError::PathFileAccessError : AppError::FileNotFound, file.errorString());
        const QStringList lines = MasterListImport::decodeLines(file.readAll());
        MasterListImport::Run run;
        run.listCount = [this] { return m_editor->editor().count(); };
        run.progress = [this, &count](int n) {
            count = n;
            m_lblCount->setText(MasterListImport::progressText(n));
            m_lblCount->repaint();
        };
        run.add = [this](const MasterListImport::Line& line) {
            const bool accepted = m_editor->addEntry(line.ingredient, line.aisle);
            Platform::processEvents();
            return accepted;
        };
        count = MasterListImport::importLines(lines, run);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("importing data (line: %1)").arg(count), QString(), e);
    }
    m_lblCount->setText(MasterListImport::doneText(count));
    m_cmdCancel->setText(QStringLiteral("&OK"));
    m_cmdCancel->setEnabled(true);
    Platform::beep();
}
