#include "interchange/ui/ImportWindow.h"

#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "interchange/CsvRecipeFormat.h"
#include "interchange/ImportFile.h"
#include "interchange/InterchangeText.h"
#include "interchange/ui/InterchangeSettings.h"
#include "storage/DataSource.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kNoFile = QStringLiteral("No File Selected");

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

ImportWindow::ImportWindow(Recordset& recipes, const QString& dataFolder, QWidget* parent)
    : QDialog(parent)
    , m_recipes(recipes)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import Recipes"));

    auto* format = new QGroupBox(QStringLiteral("Import File Format"), this);
    format->setObjectName(QStringLiteral("fraFormat"));
    m_optText = new QRadioButton(QStringLiteral("MealMaster, MasterCook, Pocket Recipes, Cookbook Wizard"), format);
    m_optText->setObjectName(QStringLiteral("optFormat_0"));
    m_optCsv = new QRadioButton(QStringLiteral("CSV file (specify format below)"), format);
    m_optCsv->setObjectName(QStringLiteral("optFormat_1"));
    m_optText->setChecked(true);
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(m_optText);
    formatLayout->addWidget(m_optCsv);

    auto* availableLabel = new QLabel(QStringLiteral("Available Fields:"), this);
    auto* orderLabel = new QLabel(QStringLiteral("Field Order In File to Import:"), this);
    m_available = new QListWidget(this);
    m_available->setObjectName(QStringLiteral("lstFields_0"));
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_available->setToolTip(QStringLiteral("Hold CTRL to select more than one field"));
    m_available->addItems(CsvRecipeFormat::availableFields());
    m_orderList = new QListWidget(this);
    m_orderList->setObjectName(QStringLiteral("lstFields_1"));
    m_orderList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* add = button(this, "cmdAdd_0", QStringLiteral("A&dd >>"));
    auto* remove = button(this, "cmdAdd_1", QStringLiteral("<< &Remove"));
    auto* all = button(this, "cmdAdd_2", QStringLiteral("&All >>"));
    auto* none = button(this, "cmdAdd_3", QStringLiteral("<< &None"));
    auto* up = button(this, "cmdScroll_0", QStringLiteral("\u25B2"));
    auto* down = button(this, "cmdScroll_1", QStringLiteral("\u25BC"));
    up->setToolTip(QStringLiteral("Move the selected field up"));
    down->setToolTip(QStringLiteral("Move the selected field down"));
    auto* moveLabel = new QLabel(QStringLiteral("Move"), this);
    moveLabel->setObjectName(QStringLiteral("lblOrder"));
    moveLabel->setAlignment(Qt::AlignCenter);

    auto* fields = new QGridLayout;
    fields->addWidget(availableLabel, 0, 0);
    fields->addWidget(orderLabel, 0, 2);
    fields->addWidget(m_available, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : { add, remove, all, none })
        middle->addWidget(b);
    middle->addStretch();
    fields->addLayout(middle, 1, 1);
    fields->addWidget(m_orderList, 1, 2);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(up);
    moves->addWidget(moveLabel);
    moves->addWidget(down);
    moves->addStretch();
    fields->addLayout(moves, 1, 3);
    m_csvControls
        = { availableLabel, orderLabel, m_available, m_orderList, add, remove, all, none, up, down, moveLabel };

    auto* fileCaption = new QLabel(QStringLiteral("File:"), this);
    m_filename = new QLabel(kNoFile, this);
    m_filename->setObjectName(QStringLiteral("lblFilename"));
    m_filename->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_filename->setWordWrap(true);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileCaption);
    fileRow->addWidget(m_filename, 1);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    m_count->setWordWrap(true);
    m_count->hide();

    m_select = button(this, "cmdSelect", QStringLiteral("&Select File"));
    m_import = button(this, "cmdImport", QStringLiteral("&Import"));
    m_cancel = button(this, "cmdCancel", QStringLiteral("Canc&el"));
    m_cancel->setToolTip(QStringLiteral("Cancel Changes"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_select);
    buttons->addStretch();
    buttons->addWidget(m_import);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addLayout(fields);
    layout->addLayout(fileRow);
    layout->addWidget(m_count);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(m_optText, &QRadioButton::toggled, this, &ImportWindow::updateCsvEnabled);
    connect(add, &QPushButton::clicked, this, &ImportWindow::addFields);
    connect(remove, &QPushButton::clicked, this, &ImportWindow::removeFields);
    connect(all, &QPushButton::clicked, this, &ImportWindow::allFields);
    connect(none, &QPushButton::clicked, this, &ImportWindow::noFields);
    connect(up, &QPushButton::clicked, this, [this] { moveField(true); });
    connect(down, &QPushButton::clicked, this, [this] { moveField(false); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, &ImportWindow::addFields);
    connect(m_orderList, &QListWidget::itemDoubleClicked, this, &ImportWindow::removeFields);
    connect(m_select, &QPushButton::clicked, this, &ImportWindow::selectFile);
    connect(m_import, &QPushButton::clicked, this, &ImportWindow::runImport);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateCsvEnabled();

    const QString last = InterchangeSettings::read(QStringLiteral("ImportFile"));
    if (!last.isEmpty())
        m_filename->setText(last);

    m_categories = DataSource::open(TableDef::Categories, dataFolder);
    m_categories->recordset().setFilter(RecordStatus::LiveFilter);
    m_categories->recordset().setSort(QStringLiteral("Category ASC"));
}

ImportWindow::~ImportWindow() = default;

void ImportWindow::done(int result)
{
    // The window stays while a run is repainting it; it cannot close under the run.
    if (m_running)
        return;
    // The category table gets the categories merged during the run.
    if (m_categories && m_finished)
        m_categories->save();
    QDialog::done(result);
}

void ImportWindow::updateCsvEnabled()
{
    const bool csv = m_optCsv->isChecked();
    for (QWidget* w : m_csvControls)
        w->setEnabled(csv);
}

void ImportWindow::showOrder(int selectRow)
{
    m_orderList->clear();
    m_orderList->addItems(m_order.fields());
    if (selectRow >= 0 && selectRow < m_orderList->count()) {
        m_orderList->setCurrentRow(selectRow);
        m_orderList->item(selectRow)->setSelected(true);
    }
}

void ImportWindow::addFields()
{
    QStringList picked;
    for (int i = 0; i < m_available->count(); ++i) {
        if (m_available->item(i)->isSelected())
            picked << m_available->item(i)->text();
    }
    if (picked.isEmpty())
        return;
    m_order.add(picked);
    showOrder(-1);
}

void ImportWindow::removeFields()
{
    QList<int> rows;
    for (int i = 0; i < m_orderList->count(); ++i) {
        if (m_orderList->item(i)->isSelected())
            rows << i;
    }
    if (rows.isEmpty())
        return;
    showOrder(m_order.remove(rows));
}

void ImportWindow::allFields()
{
    m_order.all(CsvRecipeFormat::availableFields());
    showOrder(-1);
}

void ImportWindow::noFields()
{
    m_order.none();
    showOrder(-1);
}

void ImportWindow::moveField(bool up)
{
    const int row = m_orderList->currentRow();
    if (row < 0 || !m_orderList->item(row)->isSelected())
        return;
    m_orderList->clearSelection();
    showOrder(m_order.move(row, up));
}

void ImportWindow::selectFile()
{
    QString start;
    const QString shown = m_filename->text();
    if (shown != kNoFile && shown.contains(QLatin1Char('.')))
        start = QFileInfo(shown).absolutePath();
    const QString path = Dialogs::openFile(
        QStringLiteral("Select Import File"),
        QStringLiteral("Recipe files (*.mmf *.mm *.mxp *.txt *.csv *.html *.htm *.json);;All Files (*)"), start);
    if (!path.isEmpty())
        setFile(path);
}

void ImportWindow::setFile(const QString& path)
{
    m_filename->setText(QDir::toNativeSeparators(path));
}

int ImportWindow::runImport()
{
    if (m_finished)
        return 0;
    if (m_filename->text() == kNoFile) {
        Dialogs::message(QStringLiteral("No File Selected"), QStringLiteral("Please select a file."));
        return 0;
    }
    ImportOptions options;
    options.csv = m_optCsv->isChecked();
    options.csvFields = m_order.fields();
    if (options.csv && options.csvFields.isEmpty()) {
        Dialogs::message(QStringLiteral("No Fields Selected"),
                         QStringLiteral("Please add the fields of the file, in their order, to the field order list."));
        return 0;
    }

    const QString path = QDir::fromNativeSeparators(m_filename->text());
    m_import->hide();
    m_select->hide();
    InterchangeSettings::write(QStringLiteral("ImportFile"), m_filename->text());
    m_count->setText(ImportFile::progressText(0, false));
    m_count->show();

    ImportResult result;
    m_running = true;
    m_cancel->setEnabled(false);
    try {
        BusyPointer busy;
        RecipeImporter importer(m_recipes, &m_categories->recordset());
        importer.onProgress = [this](int n) {
            m_count->setText(ImportFile::progressText(n, false));
            m_count->repaint();
            Platform::processEvents();
        };
        QString error;
        if (!ImportFile::run(path, importer, options, result, &error)) {
            m_running = false;
            m_cancel->setEnabled(true);
            m_import->show();
            m_select->show();
            m_count->hide();
            ShowError(QStringLiteral("importing data"), error, AppError::of(AppError::FileNotFound));
            return 0;
        }
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("importing data"), QString(), e);
    }
    m_running = false;
    m_cancel->setEnabled(true);
    m_finished = true;
    QString text = ImportFile::progressText(result.saved, true);
    const QString skipped = ImportFile::skippedSummary(result);
    if (!skipped.isEmpty())
        text += QStringLiteral("\n") + QString(skipped).replace(InterchangeText::CrLf, QStringLiteral("\n"));
    m_count->setText(text);
    m_cancel->setText(QStringLiteral("&OK"));
    m_cancel->setToolTip(QString());
    Platform::beep();
    return result.saved;
}
