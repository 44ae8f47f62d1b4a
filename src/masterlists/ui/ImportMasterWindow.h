#pragma once

#include <QDialog>

class MasterListWindow;
class QLabel;
class QPushButton;

// frmImportMaster: fills the ingredient list of an open master list editor from a text file, one
// "ingredient[,aisle]" per line, by pressing the editor's Add for every line.
class ImportMasterWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ImportMasterWindow(MasterListWindow* editor);

private:
    void onSelect();
    void onImport();

    MasterListWindow* m_editor;
    QLabel* m_lblFilename = nullptr;
    QLabel* m_lblCount = nullptr;
    QPushButton* m_cmdSelect = nullptr;
    QPushButton* m_cmdImport = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};
