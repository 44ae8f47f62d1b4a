#pragma once

#include "interchange/CsvFieldOrder.h"

#include <QDialog>

#include <memory>

class DataSource;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class Recordset;

// The import window frmImport ("Import Recipes"): the format choice, the CSV column order, the file, and the
// run that appends the file's recipes to the recipe table with a progress count. The category table is
// loaded when the window opens and written back when it closes.
class ImportWindow : public QDialog
{
    Q_OBJECT
public:
    // recipes: the program's recipe table; dataFolder: where the category table lives.
    ImportWindow(Recordset& recipes, const QString& dataFolder, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // Select File: the open-file dialog; a cancelled dialog changes nothing.
    void selectFile();
    // Chooses path as the file to import, as Select File does.
    void setFile(const QString& path);
    // Import: runs the import of the chosen file. Returns the number of recipes saved (0 when nothing ran).
    int runImport();
    // True once a run has finished (the window then only closes).
    bool finished() const { return m_finished; }

    // The CSV column buttons.
    void addFields();
    void removeFields();
    void allFields();
    void noFields();
    void moveField(bool up);

    void done(int result) override;

private:
    void updateCsvEnabled();
    void showOrder(int selectRow);

    Recordset& m_recipes;
    std::unique_ptr<DataSource> m_categories;
    CsvFieldOrder m_order;
    bool m_finished = false;
    bool m_running = false;

    QRadioButton* m_optText;
    QRadioButton* m_optCsv;
    QListWidget* m_available;
    QListWidget* m_orderList;
    QList<QWidget*> m_csvControls;
    QLabel* m_filename;
    QLabel* m_count;
    QPushButton* m_select;
    QPushButton* m_import;
    QPushButton* m_cancel;
};
