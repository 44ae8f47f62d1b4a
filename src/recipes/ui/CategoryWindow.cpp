#include "recipes/ui/CategoryWindow.h"

#include "base/Dialogs.h"
#include "storage/DataSource.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

std::function<void(QWidget*)>& CategoryWindow::masterListEditor()
{
    static std::function<void(QWidget*)> editor;
    return editor;
}

bool removeSelectedCategories(QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return false;
    const int previous = list->currentRow();
    for (QListWidgetItem* item : selected)
        delete item;
    if (list->count() > 0) {
        const int row = previous >= list->count() || previous < 0 ? list->count() - 1 : previous;
        list->setCurrentRow(row);
    }
    return true;
}

CategoryWindow::CategoryWindow(const QStringList& recipeCategories, const QString& dataFolder, QWidget* parent)
    : QDialog(parent)
    , m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("frmCategory"));
    setWindowTitle(QStringLiteral("Edit Recipe Categories"));

    m_all = new QListWidget(this);
    m_all->setObjectName(QStringLiteral("lstCatAll"));
    m_recipe = new QListWidget(this);
    m_recipe->setObjectName(QStringLiteral("lstCatRecipe"));
    m_recipe->addItems(recipeCategories);
    for (QListWidget* l : { m_all, m_recipe }) {
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        l->setMinimumSize(180, 220);
    }

    const auto makeButton = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* add
        = makeButton("cmdCatAdd", QStringLiteral("&Add >>"), QStringLiteral("Add category to this recipe"));
    QPushButton* remove
        = makeButton("cmdCatDelete", QStringLiteral("<< &Remove"), QStringLiteral("Remove category from this recipe"));
    QPushButton* editList
        = makeButton("cmdIngrEdit", QStringLiteral("&Edit List..."), QStringLiteral("Edit list of master categories"));
    QPushButton* ok = makeButton("cmdSave", QStringLiteral("&OK"), QString());
    QPushButton* cancel = makeButton("cmdCancel", QStringLiteral("&Cancel"), QString());
    ok->setDefault(true);
    editList->setEnabled(static_cast<bool>(masterListEditor()));

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addStretch();
    middle->addWidget(editList);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Master Category List:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("This Recipe:"), this), 0, 2);
    grid->addWidget(m_all, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_recipe, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CategoryWindow::addSelected);
    connect(m_all, &QListWidget::itemDoubleClicked, this, &CategoryWindow::addSelected);
    connect(remove, &QPushButton::clicked, this, &CategoryWindow::removeSelected);
    connect(m_recipe, &QListWidget::itemDoubleClicked, this, &CategoryWindow::removeSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(editList, &QPushButton::clicked, this, [this] {
        if (masterListEditor())
            masterListEditor()(this);
        fillCatList();
    });

    fillCatList();
}

QStringList CategoryWindow::categories() const
{
    QStringList out;
    for (int i = 0; i < m_recipe->count(); ++i)
        out << m_recipe->item(i)->text();
    return out;
}

void CategoryWindow::fillCatList()
{
    m_all->clear();
    if (m_dataFolder.isEmpty())
        return;
    auto table = DataSource::open(TableDef::Categories, m_dataFolder);
    Recordset& rs = table->recordset();
    rs.setFilter(RecordStatus::LiveFilter);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        m_all->addItem(rs.value(QStringLiteral("Category")));
}

void CategoryWindow::addSelected()
{
    QListWidgetItem* item = m_all->currentItem();
    if (!item || !item->isSelected())
        return;
    if (m_recipe->count() >= kMaxCategories) {
        Dialogs::message(
            QStringLiteral("Category Limit"),
            QStringLiteral("A maximum of %1 categories are allowed in the current version.").arg(kMaxCategories));
        return;
    }
    m_recipe->addItem(item->text());
}

void CategoryWindow::removeSelected()
{
    removeSelectedCategories(m_recipe);
}
