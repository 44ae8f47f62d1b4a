#pragma once

#include "masterlists/ItemLineList.h"
#include "storage/DataSource.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The line editors of a recipe: frmIngredient (ingredients, with the quantity, units and ingredient master
// lists, automatic adding to the ingredient list and the shopping list buttons) and frmNutrition (nutrition
// lines, with the nutrition item list and a fixed unit list). Both edit a copy of the field's lines; the
// caller takes text() after OK.
class LineEditorWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Ingredients, Nutrition };

    LineEditorWindow(Mode mode, const QString& fieldText, QWidget* parent = nullptr);
    ~LineEditorWindow() override;

    // The line editor currently open, or nullptr. The master list editor hands new entries to it.
    static LineEditorWindow* openEditor();

    // A master list entry just added or updated: ingredients take "qty", "units" and "ingr" entries into the
    // quantity, unit and item boxes; nutrition takes "ntrn" entries into its item box while it is shown.
    void receiveMasterEntry(const QString& kind, const QString& text);

    Mode mode() const { return m_mode; }
    const ItemLineList& lines() const { return m_lines; }
    // The edited lines as field text.
    QString text() const { return m_lines.toText(); }

    // Runs an editor modally over a field's text; true with the new text in *text after OK.
    static bool run(Mode mode, QWidget* parent, QString* text);

    void accept() override;

private:
    void buildControls();
    QComboBox* makeCombo(const char* name, const QString& tip, int maxLength);
    void loadLists(bool qty, bool units, bool items);
    void refreshGrid(int currentRow);
    int currentRow() const;
    QString qtyText() const;
    void setQtyText(const QString& text);
    void onAdd();
    void onEdit();
    void onClear();
    void onDelete();
    void onMove(bool up);
    void onEditList(const QString& kind);
    // Adds the current line (or, after asking, every line) to the shopping list file.
    void onShop(bool all);
    bool saveIngredientCopy();
    void enforceLength(QLineEdit* edit, int maxLength, const QString& text);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Mode m_mode;
    ItemLineList m_lines;
    int m_editRow = -1; // line being updated, or -1 while adding
    bool m_autoAdd = false;
    std::unique_ptr<DataSource> m_ingredientCopy; // ingredient editor: the copy auto-adding writes to
    bool m_copyChanged = false;

    QComboBox* m_cboQty = nullptr; // ingredients
    QLineEdit* m_txtQtyPlain = nullptr; // nutrition
    QComboBox* m_txtUnit = nullptr;
    QComboBox* m_txtItem = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdIconClear = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdClear = nullptr;
};
