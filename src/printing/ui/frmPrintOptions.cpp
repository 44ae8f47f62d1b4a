#include "printing/ui/frmPrintOptions.h"

#include "app/RecipeWindow.h"
#include "printing/PrintSettings.h"
#include "printing/ui/frmPrint.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPrintOptions::frmPrintOptions(RecipeWindow* recipeWindow, QWidget* parent)
    : QDialog(parent)
    , m_recipeWindow(recipeWindow)
{
    setObjectName(QStringLiteral("frmPrintOptions"));
    setWindowTitle(QStringLiteral("Print Options"));
    setModal(true);

    const int selected = m_recipeWindow ? m_recipeWindow->selectedKeys().size() : 0;

    auto* format = new QGroupBox(QStringLiteral("Report Format"), this);
    m_chkNewPage = new QCheckBox(QStringLiteral("Start each recipe on a new page"), format);
    m_chkNewPage->setObjectName(QStringLiteral("chkNewPage"));
    m_optFormat[0] = new QRadioButton(QStringLiteral("Print on standard paper"), format);
    m_optFormat[1] = new QRadioButton(QStringLiteral("Print on 3x5 cards"), format);
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(m_optFormat[0]);
    formatLayout->addWidget(m_optFormat[1]);
    formatLayout->addWidget(m_chkNewPage);

    auto* records = new QGroupBox(QStringLiteral("Records to Print"), this);
    m_optRecords[0] = new QRadioButton(QStringLiteral("Print ALL Recipes"), records);
    m_optRecords[1] = new QRadioButton(
        QStringLiteral("Print ") + QString::number(selected) + QStringLiteral(" Selected Recipe(s)"), records);
    auto* recordsLayout = new QVBoxLayout(records);
    recordsLayout->addWidget(m_optRecords[0]);
    recordsLayout->addWidget(m_optRecords[1]);
    for (int i = 0; i < 2; ++i) {
        m_optFormat[i]->setObjectName(QStringLiteral("optFormat_%1").arg(i));
        m_optRecords[i]->setObjectName(QStringLiteral("optRecords_%1").arg(i));
    }

    auto* cmdPrint = new QPushButton(QStringLiteral("Preview"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addWidget(records);
    layout->addLayout(buttons);

    // The saved choices; the selection option only when something is selected.
    m_chkNewPage->setChecked(PrintSettings::newPage());
    m_optFormat[0]->setChecked(true);
    m_optRecords[1]->setEnabled(selected > 0);
    m_optRecords[PrintSettings::selectedRange() && selected > 0 ? 1 : 0]->setChecked(true);
    m_options.kind = PrintOptions::Recipes;
    syncFromControls();

    for (QAbstractButton* b :
         { static_cast<QAbstractButton*>(m_chkNewPage), static_cast<QAbstractButton*>(m_optFormat[0]),
           static_cast<QAbstractButton*>(m_optFormat[1]), static_cast<QAbstractButton*>(m_optRecords[0]),
           static_cast<QAbstractButton*>(m_optRecords[1]) })
        connect(b, &QAbstractButton::toggled, this, &frmPrintOptions::syncFromControls);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPrintOptions::preview);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrintOptions::syncFromControls()
{
    m_options.kind = PrintOptions::Recipes;
    m_options.cards = m_optFormat[1]->isChecked();
    m_options.newPage = m_chkNewPage->isChecked();
    m_options.selectedOnly = m_optRecords[1]->isChecked();
    // Cards always start each recipe on a card of its own.
    m_chkNewPage->setEnabled(!m_options.cards);
}

void frmPrintOptions::preview()
{
    syncFromControls();
    PrintSettings::setSelectedRange(m_options.selectedOnly);
    PrintSettings::setNewPage(m_options.newPage);
    m_options.selectedKeys = m_options.selectedOnly && m_recipeWindow ? m_recipeWindow->selectedKeys() : QStringList();
    openPrintPreview(m_options, parentWidget());
    accept();
}
