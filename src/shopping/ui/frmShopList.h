#pragma once

#include "shopping/ShoppingListModel.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The shopping list window: items in aisle order, boxes to add or change an item, and the list's buttons.
// Loads its own copy of the shopping list when it opens and writes it back when it closes in any way.
class frmShopList : public QDialog
{
    Q_OBJECT
public:
    explicit frmShopList(const QString& dataFolder, QWidget* parent = nullptr);
    ~frmShopList() override;

    ShoppingListModel& model() { return *m_model; }

    // Longest texts of the four boxes.
    static constexpr int AisleLength = 5;
    static constexpr int QtyLength = 12;
    static constexpr int UnitsLength = 12;
    static constexpr int ItemLength = 80;

public Q_SLOTS:
    // Writes the list; when writing fails the user may keep the window open to try again.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void loadPickList(QComboBox* box, const QString& kind);
    void LoadGrid();
    void showHeld();
    void selectGridRow(int row, int lastColumn);
    void onItemChanged();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdClearSL_Click();
    void cmdReset_Click();
    void editList(const QString& kind, QComboBox* box);
    void clearBoxes();

    QString m_dataFolder;
    std::unique_ptr<ShoppingListModel> m_model;
    std::unique_ptr<DataSource> m_ingredients;
    bool m_saved = false;

    QComboBox* m_aisle = nullptr;
    QComboBox* m_qty = nullptr;
    QComboBox* m_unit = nullptr;
    QComboBox* m_item = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_status = nullptr;
    QLineEdit* m_ingr = nullptr;
    QLineEdit* m_key = nullptr;
    QLineEdit* m_note = nullptr;
};
