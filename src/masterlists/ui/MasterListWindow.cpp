#include "masterlists/ui/MasterListWindow.h"

#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "masterlists/ui/ImportMasterWindow.h"
#include "masterlists/ui/LineEditorWindow.h"
#include "recipes/ui/TypeAhead.h"
#include "shell/AppState.h"
#include "shell/ui/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void openMasterList(QWidget* parent, const QString& kind)
{
    const MasterListKind* k = MasterListKinds::find(kind);
    if (!k)
        return;
    std::unique_ptr<MasterListWindow> window;
    try {
        window = std::make_unique<MasterListWindow>(*k, parent);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("loading the Edit Master list dialog"), QString(), e);
        return;
    }
    window->exec();
}

namespace {
} // namespace

MasterListWindow::MasterListWindow(const MasterListKind& kind, QWidget* parent)
    : QDialog(parent)
    , m_kind(kind)
{
    setObjectName(QStringLiteral("frmMasterCat"));
    setModal(true);
    m_editor = MasterListEditor::open(kind, AppState::instance().dataPath);
    buildControls();
    setWindowTitle(kind.windowCaption());
    fillList();
    if (m_editor->count() > 0)
        onSelect(0);
}

MasterListWindow::~MasterListWindow() = default;

void MasterListWindow::buildControls()
{
    m_lblCategory = new QLabel(m_kind.listCaption, this);
    m_lblCategory->setObjectName(QStringLiteral("lblCategory"));
    m_lstCatAll = new QListWidget(this);
    m_lstCatAll->setObjectName(QStringLiteral("lstCatAll"));
    m_lblNew = new QLabel(m_kind.newCaption, this);
    m_lblNew->setObjectName(QStringLiteral("lblNew"));
    m_txtCat = new QLineEdit(this);
    m_txtCat->setObjectName(QStringLiteral("txtCat"));
    m_txtCat->setMaxLength(m_kind.maxLength);
    m_txtCat->setToolTip(QStringLiteral("Enter the category to add here"));
    m_txtCat->installEventFilter(this);

    m_cmdAdd = WidgetHelpers::button(this, "cmdAdd", QStringLiteral("&Add"), QStringLiteral("Add New Item"));
    m_cmdEdit = WidgetHelpers::button(this, "cmdEdit", QStringLiteral("&Edit"), QStringLiteral("Edit Selected Item"));
    m_cmdDelete
        = WidgetHelpers::button(this, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Delete Selected Item"));
    m_cmdSave = WidgetHelpers::button(this, "cmdSave", QStringLiteral("&OK"), QStringLiteral("Finished Editing"));
    m_cmdImport = WidgetHelpers::button(this, "cmdImport", QStringLiteral("&Import..."), QString());
    // Enter in the aisle box moves here; Enter again closes the window.
    m_cmdSave->setAutoDefault(true);

    auto* entryRow = new QHBoxLayout;
    entryRow->addWidget(m_txtCat, 1);
    if (m_kind.hasAisle()) {
        m_lblAisle = new QLabel(QStringLiteral("Aisle: "), this);
        m_lblAisle->setObjectName(QStringLiteral("lblAisle"));
        m_txtAisle = new QComboBox(this);
        m_txtAisle->setObjectName(QStringLiteral("txtAisle"));
        m_txtAisle->setToolTip(QStringLiteral("Select or enter the aisle"));
        m_txtAisle->setEditable(true);
        m_txtAisle->setMinimumContentsLength(6);
        // The length limit runs before the completion, so it is connected first.
        connect(m_txtAisle->lineEdit(), &QLineEdit::textEdited, this, &MasterListWindow::onAisleEdited);
        installTypeAhead(m_txtAisle);
        m_txtAisle->installEventFilter(this);
        m_txtCat->setMinimumWidth(205); // wide enough for a long ingredient beside the aisle box
        auto aisles = DataSource::open(TableDef::Aisles, AppState::instance().dataPath);
        Recordset& rs = aisles->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(QStringLiteral("AisleMaster ASC"));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            m_txtAisle->addItem(rs.value(QStringLiteral("AisleMaster")));
        m_txtAisle->setEditText(QString());
        entryRow->addWidget(m_lblAisle);
        entryRow->addWidget(m_txtAisle);
    }
    m_cmdImport->setVisible(m_kind.hasAisle());

    auto* side = new QVBoxLayout;
    side->addWidget(m_cmdEdit);
    side->addWidget(m_cmdDelete);
    side->addStretch(1);
    side->addWidget(m_cmdImport);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_lblCategory, 0, 0);
    grid->addWidget(m_lstCatAll, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(m_lblNew, 2, 0);
    grid->addLayout(entryRow, 3, 0);
    grid->addWidget(m_cmdAdd, 3, 1);
    grid->addWidget(m_cmdSave, 4, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    resize(m_kind.hasAisle() ? 460 : 380, 360);

    connect(m_lstCatAll, &QListWidget::currentRowChanged, this, &MasterListWindow::onSelect);
    connect(m_cmdAdd, &QPushButton::clicked, this, &MasterListWindow::onAdd);
    connect(m_cmdEdit, &QPushButton::clicked, this, &MasterListWindow::onEdit);
    connect(m_cmdDelete, &QPushButton::clicked, this, &MasterListWindow::onDelete);
    connect(m_cmdSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdImport, &QPushButton::clicked, this, &MasterListWindow::onImport);
}

void MasterListWindow::fillList()
{
    const QSignalBlocker block(m_lstCatAll);
    m_lstCatAll->clear();
    m_lstCatAll->addItems(m_editor->entryTexts());
}

void MasterListWindow::onSelect(int row)
{
    try {
        m_editor->select(row);
        if (row >= 0 && m_lstCatAll->currentRow() != row) {
            const QSignalBlocker block(m_lstCatAll);
            m_lstCatAll->setCurrentRow(row);
        }
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("selecting a record from the Master List dialog"), QString(), e);
    }
}

void MasterListWindow::setUpdateMode(bool updating)
{
    m_cmdAdd->setText(updating ? QStringLiteral("&Update") : QStringLiteral("&Add"));
}

void MasterListWindow::onEdit()
{
    if (m_editor->count() == 0 || !m_editor->beginEdit())
        return;
    const MasterListEditor::Held held = m_editor->held();
    m_txtCat->setText(held.value);
    if (m_txtAisle) {
        SuppressTypeAhead = false;
        m_txtAisle->setEditText(held.aisle);
    }
    setUpdateMode(true);
    m_txtCat->setFocus();
}

void MasterListWindow::onAdd()
{
    m_lastAddRefused = false;
    const QString text = m_txtCat->text();
    if (text.isEmpty())
        return;
    try {
        const QString aisle = m_txtAisle ? m_txtAisle->currentText() : QString();
        const MasterListEditor::Outcome outcome = m_editor->addOrUpdate(text, aisle);
        if (outcome == MasterListEditor::Outcome::LimitReached) {
            m_lastAddRefused = true;
            Dialogs::message(m_kind.limitTitle, m_kind.limitText());
            return;
        }
        setUpdateMode(false);
        const int inserted = m_editor->insertedRow();
        if (inserted >= 0 && m_lstCatAll->count() + 1 == m_editor->count()) {
            // One entry more: insert it rather than filling the whole list again, so that an import of many
            // lines stays quick.
            const QSignalBlocker block(m_lstCatAll);
            m_lstCatAll->insertItem(inserted, m_editor->entryText(inserted));
        } else {
            fillList();
        }
        if (LineEditorWindow* lineEditor = LineEditorWindow::openEditor())
            lineEditor->receiveMasterEntry(m_kind.keyword, text);
        if (m_editor->count() > 0) {
            const QSignalBlocker block(m_lstCatAll);
            m_lstCatAll->setCurrentRow(0);
        }
        m_txtCat->clear();
        if (m_txtAisle)
            m_txtAisle->setEditText(QString());
        m_txtCat->setFocus();
    } catch (const std::exception& e) {
        setUpdateMode(m_editor->isUpdating());
        ShowError(QStringLiteral("adding to a master list"), QString(), e);
    }
}

bool MasterListWindow::addEntry(const QString& text, const QString& aisle)
{
    m_txtCat->setText(text);
    if (m_txtAisle)
        m_txtAisle->setEditText(aisle.left(kMaxAisleLength));
    m_cmdAdd->click();
    return !m_lastAddRefused;
}

void MasterListWindow::onDelete()
{
    const int row = m_editor->selectedRow();
    if (row < 0)
        return;
    try {
        m_editor->removeSelected();
        const QSignalBlocker block(m_lstCatAll);
        delete m_lstCatAll->takeItem(row);
        m_lstCatAll->setCurrentRow(-1);
        m_lstCatAll->clearSelection();
        setUpdateMode(m_editor->isUpdating());
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("deleting from a master list"), QString(), e);
    }
}

void MasterListWindow::onImport()
{
    ImportMasterWindow import(this);
    import.setWindowTitle(windowTitle().replace(QStringLiteral("Edit"), QStringLiteral("Import to")));
    import.exec();
}

void MasterListWindow::onAisleEdited(const QString& text)
{
    if (text.size() <= kMaxAisleLength)
        return;
    Platform::beep();
    QLineEdit* edit = m_txtAisle->lineEdit();
    edit->setText(text.left(kMaxAisleLength));
    edit->setCursorPosition(kMaxAisleLength);
}

bool MasterListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (WidgetHelpers::isEnterKey(event)) {
        if (watched == m_txtCat) {
            if (m_txtAisle)
                m_txtAisle->setFocus();
            else
                onAdd();
            return true;
        }
        if (m_txtAisle && watched == m_txtAisle) {
            m_cmdSave->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MasterListWindow::done(int result)
{
    if (!m_saved) {
        try {
            if (!m_editor->save()) {
                const MsgAnswer answer = Dialogs::message(
                    windowTitle(), QStringLiteral("The list could not be saved. Close anyway and lose the changes?"),
                    MsgButtons::YesNo, MsgIcon::Exclamation);
                if (answer != MsgAnswer::Yes)
                    return;
            }
        } catch (const std::exception& e) {
            ShowError(QStringLiteral("unloading the Edit Master List dialog"), QString(), e);
        }
        m_saved = true;
    }
    QDialog::done(result);
}
