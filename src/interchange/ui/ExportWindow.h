#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QRadioButton;
class Recordset;

// The export window frmExport ("Export Recipes"): the file, the layout (Meal-Master, MasterCook or schema.org
// JSON for web recipe managers) and the
// range (all recipes of the current list view, or the recipes selected in the main window), then the export
// run. The window closes itself after a completed export.
class ExportWindow : public QDialog
{
    Q_OBJECT
public:
    // recipes: the program's recipe table in the list's current view; selectedKeys: the keys of the recipes
    // selected in the recipe list, in list order.
    ExportWindow(Recordset& recipes, const QStringList& selectedKeys, QWidget* parent = nullptr);

    // Select File: the save-file dialog; a cancelled dialog changes nothing.
    void selectFile();
    // Export: runs the export; true when the file was written (the window is then closed).
    bool runExport();

    void done(int result) override;

private:
    Recordset& m_recipes;
    QStringList m_selectedKeys;
    QLabel* m_filename;
    QRadioButton* m_mealMaster;
    QRadioButton* m_masterCook;
    QRadioButton* m_jsonLd;
    QRadioButton* m_all;
    QRadioButton* m_selected;
    QLabel* m_exported;
    QLabel* m_num;
    bool m_running = false;
};
