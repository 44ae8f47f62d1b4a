#pragma once

#include "printing/ReportComposer.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;
class RecipeWindow;

// The options window of the recipe report ("Print Options"): standard paper or 3x5 cards, a new page per
// recipe, all or the selected recipes. Opens with the saved "PrintNewPage" and "PrintRange"; Preview saves
// them, opens the preview window modally and closes.
class frmPrintOptions : public QDialog
{
    Q_OBJECT
public:
    // recipeWindow gives the selected recipes; it may be nullptr (then only "all" can be printed).
    explicit frmPrintOptions(RecipeWindow* recipeWindow, QWidget* parent = nullptr);

    // The print state as chosen so far.
    const PrintOptions& options() const { return m_options; }

private:
    void preview();
    void syncFromControls();

    RecipeWindow* m_recipeWindow;
    PrintOptions m_options;
    QCheckBox* m_chkNewPage = nullptr;
    QRadioButton* m_optFormat[2] = { nullptr, nullptr };
    QRadioButton* m_optRecords[2] = { nullptr, nullptr };
};
