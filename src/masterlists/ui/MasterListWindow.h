#pragma once

#include "masterlists/MasterListEditor.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Shows the master list editor for a kind keyword ("cat", "qty", "units", "ingr", "ntrn", "source",
// "rating", "aisle", "meal") modally over parent; the list's table is written back when it closes. An
// unknown keyword shows nothing.
void openMasterList(QWidget* parent, const QString& kind);

// frmMasterCat: edits one master list. Loads the kind's table from the data folder of AppState when created
// and writes it back when closed in any way.
class MasterListWindow : public QDialog
{
    Q_OBJECT

public:
    MasterListWindow(const MasterListKind& kind, QWidget* parent = nullptr);
    ~MasterListWindow() override;

    MasterListEditor& editor() { return *m_editor; }
    // Puts the texts into the entry and aisle boxes and presses Add, as the ingredient list import does.
    // False when the list refused the entry because it is full.
    bool addEntry(const QString& text, const QString& aisle);

    void done(int result) override;

private:
    void buildControls();
    void fillList();
    void onSelect(int row);
    void onEdit();
    void onAdd();
    void onDelete();
    void onImport();
    void onAisleEdited(const QString& text);
    void setUpdateMode(bool updating);
    bool eventFilter(QObject* watched, QEvent* event) override;

    const MasterListKind& m_kind;
    std::unique_ptr<MasterListEditor> m_editor;
    bool m_lastAddRefused = false;
    bool m_saved = false;

    QLabel* m_lblCategory = nullptr;
    QListWidget* m_lstCatAll = nullptr;
    QLabel* m_lblNew = nullptr;
    QLineEdit* m_txtCat = nullptr;
    QLabel* m_lblAisle = nullptr;
    QComboBox* m_txtAisle = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QPushButton* m_cmdImport = nullptr;
};
