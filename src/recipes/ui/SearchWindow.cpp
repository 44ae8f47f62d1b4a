#include "recipes/ui/SearchWindow.h"

#include "shell/AppState.h"
#include "storage/DataSource.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QStringList liveValues(TableDef::Id id, const QString& dataFolder, const QString& field)
{
    QStringList out;
    if (dataFolder.isEmpty())
        return out;
    auto table = DataSource::open(id, dataFolder);
    Recordset& rs = table->recordset();
    rs.setFilter(RecordStatus::LiveFilter);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.value(field);
    return out;
}

QComboBox* pickBox(QWidget* parent, const QString& name, const QStringList& entries, const QString& selected)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(entries);
    box->setMinimumWidth(220);
    box->setMaxVisibleItems(20);
    if (!selected.isEmpty()) {
        const int at = box->findText(selected, Qt::MatchExactly | Qt::MatchCaseSensitive);
        box->setCurrentIndex(at >= 0 ? at : 0);
    }
    return box;
}

} // namespace

SearchWindow::Lists SearchWindow::loadLists(const QString& dataFolder)
{
    Lists lists;
    lists.categories = liveValues(TableDef::Categories, dataFolder, QStringLiteral("Category"));
    lists.sources = liveValues(TableDef::Sources, dataFolder, QStringLiteral("SourceMaster"));
    lists.ratings = liveValues(TableDef::Ratings, dataFolder, QStringLiteral("RatingMaster"));
    return lists;
}

SearchWindow::SearchWindow(const SearchCriteria& criteria, const Lists& lists, QWidget* parent)
    : QDialog(parent)
    , m_criteria(criteria)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Filter Recipes (Search)"));

    const QStringList categoryEntries = QStringList { QString(), SearchCriteria::blankCategory() } + lists.categories;
    m_name = new QLineEdit(criteria.name, this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_cat[0] = pickBox(this, QStringLiteral("cboCat_0"), categoryEntries, criteria.category1);
    m_cat[1] = pickBox(this, QStringLiteral("cboCat_1"), categoryEntries, criteria.category2);
    m_ingr = new QLineEdit(criteria.ingredient, this);
    m_ingr->setObjectName(QStringLiteral("txtIngr"));
    m_other = new QLineEdit(criteria.instructions, this);
    m_other->setObjectName(QStringLiteral("txtOther"));
    m_source = pickBox(this, QStringLiteral("cboSource"), QStringList { QString() } + lists.sources, criteria.source);
    m_rating = pickBox(this, QStringLiteral("cboRating"), QStringList { QString() } + lists.ratings, criteria.rating);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    addRow(QStringLiteral("Name Text:"), m_name);
    addRow(QStringLiteral("Category:"), m_cat[0]);
    addRow(QStringLiteral("Category:"), m_cat[1]);
    addRow(QStringLiteral("Ingredient:"), m_ingr);
    addRow(QStringLiteral("Instruction Text:"), m_other);
    addRow(QStringLiteral("Source:"), m_source);
    addRow(QStringLiteral("Rating:"), m_rating);

    auto* type = new QGroupBox(QStringLiteral("Search Type:"), this);
    m_and = new QRadioButton(QStringLiteral("AND"), type);
    m_and->setObjectName(QStringLiteral("optSearchType_0"));
    m_or = new QRadioButton(QStringLiteral("OR"), type);
    m_or->setObjectName(QStringLiteral("optSearchType_1"));
    m_and->setChecked(true);
    auto* typeLayout = new QHBoxLayout(type);
    typeLayout->addWidget(m_and);
    typeLayout->addWidget(m_or);
    typeLayout->addStretch();
    grid->addWidget(type, row, 0, 1, 2);

    auto* filter = new QPushButton(QStringLiteral("Do &Filter"), this);
    filter->setObjectName(QStringLiteral("cmdNew"));
    filter->setDefault(true);
    auto* clear = new QPushButton(QStringLiteral("C&lear"), this);
    clear->setObjectName(QStringLiteral("cmdClear"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdListAll"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(filter);
    buttons->addWidget(clear);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(filter, &QPushButton::clicked, this, &SearchWindow::doFilter);
    connect(clear, &QPushButton::clicked, this, &SearchWindow::clearBoxes);
    connect(cancel, &QPushButton::clicked, this, &SearchWindow::cancel);
}

void SearchWindow::doFilter()
{
    m_criteria.name = m_name->text();
    m_criteria.category1 = m_cat[0]->currentText();
    m_criteria.category2 = m_cat[1]->currentText();
    m_criteria.ingredient = m_ingr->text();
    m_criteria.instructions = m_other->text();
    m_criteria.source = m_source->currentText();
    m_criteria.rating = m_rating->currentText();
    m_criteria.combine = m_and->isChecked() ? SearchCriteria::Combine::And : SearchCriteria::Combine::Or;
    m_criteria.outcome = SearchCriteria::Outcome::Search;
    accept();
}

void SearchWindow::clearBoxes()
{
    m_name->clear();
    m_ingr->clear();
    m_other->clear();
    for (QComboBox* box : { m_cat[0], m_cat[1], m_source, m_rating })
        box->setCurrentIndex(0);
}

void SearchWindow::cancel()
{
    m_criteria.outcome = SearchCriteria::Outcome::Cancel;
    reject();
}

bool SearchWindow::run(QWidget* parent, SearchCriteria& criteria)
{
    SearchWindow window(criteria, loadLists(AppState::instance().dataPath), parent);
    const bool search = window.exec() == QDialog::Accepted;
    criteria = window.criteria();
    if (!search)
        criteria.outcome = SearchCriteria::Outcome::Cancel;
    return search;
}
