#include "shell/ui/FirstRunWindow.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FirstRunWindow::FirstRunWindow(const FirstRunChoice& proposal, const QString& settingsPath, QWidget* parent)
    : QDialog(parent)
    , m_settingsPath(settingsPath)
{
    setObjectName(QStringLiteral("frmFirstRun"));
    setWindowTitle(QStringLiteral("Welcome to ") + Dialogs::applicationTitle());

    auto* intro = new QLabel(QStringLiteral("Zestora Plus keeps your recipes, master lists, shopping list and menu "
                                            "planner in a data folder. Choose where it goes and what it starts with."),
                             this);
    intro->setObjectName(QStringLiteral("lblIntro"));
    intro->setWordWrap(true);

    m_folder = new QLineEdit(QDir::toNativeSeparators(proposal.dataFolder), this);
    m_folder->setObjectName(QStringLiteral("txtDataFolder"));
    auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    browseButton->setObjectName(QStringLiteral("cmdBrowse"));
    browseButton->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);

    m_demo = new QRadioButton(QStringLiteral("Start with the &demo cookbook (about twenty recipes to try things with)"),
                              this);
    m_demo->setObjectName(QStringLiteral("optDemo"));
    m_empty = new QRadioButton(QStringLiteral("Start with an &empty cookbook"), this);
    m_empty->setObjectName(QStringLiteral("optEmpty"));
    (proposal.demo ? m_demo : m_empty)->setChecked(true);
    auto* existing = new QLabel(QStringLiteral("A folder that already holds a cookbook is used as it is."), this);
    existing->setWordWrap(true);

    m_handheld = new QComboBox(this);
    m_handheld->setObjectName(QStringLiteral("cboHandheld"));
    m_handheld->addItem(QStringLiteral("Palm OS"), QStringLiteral("Palm"));
    m_handheld->addItem(QStringLiteral("Pocket PC"), QStringLiteral("PPC"));
    m_handheld->setCurrentIndex(qMax(0, m_handheld->findData(proposal.installType)));

    auto* folderLabel = new QLabel(QStringLiteral("Data &folder:"), this);
    folderLabel->setBuddy(m_folder);
    auto* form = new QFormLayout;
    form->addRow(folderLabel, folderRow);
    form->addRow(QString(), m_demo);
    form->addRow(QString(), m_empty);
    form->addRow(QString(), existing);
    form->addRow(QStringLiteral("&Handheld:"), m_handheld);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FirstRunWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, &FirstRunWindow::browse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(520);
    m_folder->setFocus();
    m_folder->selectAll();
}

FirstRunChoice FirstRunWindow::choice() const
{
    FirstRunChoice c;
    c.dataFolder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    c.demo = m_demo->isChecked();
    c.installType = m_handheld->currentData().toString();
    return c;
}

void FirstRunWindow::browse()
{
    const QString folder = Dialogs::chooseFolder(QStringLiteral("Select the Data Folder"), choice().dataFolder);
    if (!folder.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(folder));
}

void FirstRunWindow::accept()
{
    if (const auto failure = FirstRun::apply(choice(), m_settingsPath)) {
        Dialogs::message(QStringLiteral("Data Folder Not Ready"),
                         QStringLiteral("The data folder could not be prepared.") + CRLF + CRLF + *failure,
                         MsgButtons::Ok, MsgIcon::Exclamation);
        m_folder->setFocus();
        return;
    }
    QDialog::accept();
}
