#pragma once

#include "recipes/SearchCriteria.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

// The search window "Filter Recipes (Search)" (frmSearch). Shows the stored criteria, lets the user change
// them and ends with "Do Filter" (accepted, criteria() holds the new texts and outcome Search) or Cancel
// (rejected, outcome Cancel, texts unchanged).
class SearchWindow : public QDialog
{
    Q_OBJECT
public:
    // The pick lists of the drop-downs, without their leading entries.
    struct Lists
    {
        QStringList categories;
        QStringList sources;
        QStringList ratings;
    };
    // Reads the live categories, sources and ratings from fresh copies of their tables in the data folder.
    static Lists loadLists(const QString& dataFolder);

    SearchWindow(const SearchCriteria& criteria, const Lists& lists, QWidget* parent = nullptr);

    SearchCriteria criteria() const { return m_criteria; }

    // Opens the window modally; true when the user chose "Do Filter". criteria is updated either way
    // (texts only on Do Filter, the outcome always).
    static bool run(QWidget* parent, SearchCriteria& criteria);

private:
    void doFilter();
    void clearBoxes();
    void cancel();

    SearchCriteria m_criteria;
    QLineEdit* m_name;
    QComboBox* m_cat[2];
    QLineEdit* m_ingr;
    QLineEdit* m_other;
    QComboBox* m_source;
    QComboBox* m_rating;
    QRadioButton* m_and;
    QRadioButton* m_or;
};
