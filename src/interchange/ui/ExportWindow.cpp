#include "interchange/ui/ExportWindow.h"

#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "interchange/RecipeExporter.h"
#include "interchange/ui/InterchangeSettings.h"
#include "shell/Settings.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kNoFile = QStringLiteral("No Filename Selected");
}

ExportWindow::ExportWindow(Recordset& recipes, const QStringList& selectedKeys, QWidget* parent)
    : QDialog(parent)
    , m_recipes(recipes)
    , m_selectedKeys(selectedKeys)
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export Recipes"));

    auto* fileFrame = new QGroupBox(QStringLiteral("Select directory and filename for exported file"), this);
    auto* getDir = new QPushButton(QStringLiteral("Select File"), fileFrame);
    getDir->setObjectName(QStringLiteral("cmdGetDir"));
    getDir->setAutoDefault(false);
    m_filename = new QLabel(kNoFile, fileFrame);
    m_filename->setObjectName(QStringLiteral("lblFilename"));
    m_filename->setWordWrap(true);
    m_filename->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("Filename:"), fileFrame));
    fileRow->addWidget(m_filename, 1);
    auto* fileLayout = new QVBoxLayout(fileFrame);
    fileLayout->addWidget(getDir, 0, Qt::AlignLeft);
    fileLayout->addLayout(fileRow);

    auto* typeFrame = new QGroupBox(QStringLiteral("Export Format:"), this);
    m_mealMaster = new QRadioButton(QStringLiteral("Meal-Master"), typeFrame);
    m_mealMaster->setObjectName(QStringLiteral("optType_0"));
    m_masterCook = new QRadioButton(QStringLiteral("MasterCook"), typeFrame);
    m_masterCook->setObjectName(QStringLiteral("optType_1"));
    m_jsonLd = new QRadioButton(QStringLiteral("Web Recipes (schema.org JSON)"), typeFrame);
    m_jsonLd->setObjectName(QStringLiteral("optType_2"));
    auto* typeLayout = new QVBoxLayout(typeFrame);
    typeLayout->addWidget(m_mealMaster);
    typeLayout->addWidget(m_masterCook);
    typeLayout->addWidget(m_jsonLd);

    auto* rangeFrame = new QGroupBox(QStringLiteral("Recipes to Export"), this);
    m_all = new QRadioButton(QStringLiteral("Export ALL Recipes"), rangeFrame);
    m_all->setObjectName(QStringLiteral("optRecords_0"));
    m_selected = new QRadioButton(QStringLiteral("Export ") + QString::number(selectedKeys.size())
                                      + QStringLiteral(" Selected Recipes"),
                                  rangeFrame);
    m_selected->setObjectName(QStringLiteral("optRecords_1"));
    auto* rangeLayout = new QVBoxLayout(rangeFrame);
    rangeLayout->addWidget(m_all);
    rangeLayout->addWidget(m_selected);

    auto* choices = new QHBoxLayout;
    choices->addWidget(typeFrame);
    choices->addWidget(rangeFrame);

    m_exported = new QLabel(QStringLiteral("Recipes Exported:"), this);
    m_exported->setObjectName(QStringLiteral("lblExported"));
    m_num = new QLabel(QStringLiteral("0"), this);
    m_num->setObjectName(QStringLiteral("lblNum"));
    m_exported->hide();
    m_num->hide();
    auto* progress = new QHBoxLayout;
    progress->addWidget(m_exported);
    progress->addWidget(m_num);
    progress->addStretch();

    auto* exportButton = new QPushButton(QStringLiteral("&Export"), this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(progress);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileFrame);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    resize(520, 260);

    connect(getDir, &QPushButton::clicked, this, &ExportWindow::selectFile);
    connect(exportButton, &QPushButton::clicked, this, &ExportWindow::runExport);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const QString last = InterchangeSettings::read(QStringLiteral("ExportFile"));
    if (!last.isEmpty())
        m_filename->setText(last);
    const QString type = InterchangeSettings::read(QStringLiteral("ExportType"), QStringLiteral("0"));
    (type == QLatin1String("1")       ? m_masterCook
         : type == QLatin1String("2") ? m_jsonLd
                                      : m_mealMaster)
        ->setChecked(true);
    (InterchangeSettings::read(QStringLiteral("ExportRange"), QStringLiteral("0")) == QLatin1String("1") ? m_selected
                                                                                                         : m_all)
        ->setChecked(true);
}

void ExportWindow::done(int result)
{
    // Not while an export is repainting the window.
    if (!m_running)
        QDialog::done(result);
}

void ExportWindow::selectFile()
{
    QString start;
    if (m_filename->text() != kNoFile)
        start = QDir::fromNativeSeparators(m_filename->text());
    const QString path = Dialogs::saveFile(QStringLiteral("Select Export File"),
                                           m_jsonLd->isChecked() ? QStringLiteral("JSON Files (*.json);;All Files (*)")
                                                                 : QStringLiteral("Text Files (*.txt);;All Files (*)"),
                                           start);
    if (!path.isEmpty())
        m_filename->setText(QDir::toNativeSeparators(path));
}

bool ExportWindow::runExport()
{
    if (m_filename->text() == kNoFile) {
        Dialogs::message(QStringLiteral("File Not Selected"), QStringLiteral("Please select a filename"));
        return false;
    }
    const QString path = QDir::fromNativeSeparators(m_filename->text());
    if (FileExists(path)
        && Dialogs::message(QStringLiteral("File Exists"),
                            QStringLiteral("The filename already exists.  Would you like to overwrite the current "
                                           "file?"),
                            MsgButtons::YesNo, MsgIcon::Question)
            != MsgAnswer::Yes)
        return false;

    const ExportLayout layout = m_masterCook->isChecked() ? ExportLayout::MasterCook
        : m_jsonLd->isChecked()                           ? ExportLayout::JsonLd
                                                          : ExportLayout::MealMaster;
    RecipeExporter::Result result;
    m_running = true;
    setEnabled(false);
    try {
        BusyPointer busy;
        const QVector<RecipeRecord> recipes = m_selected->isChecked()
            ? RecipeExporter::recipesByKey(m_recipes, m_selectedKeys)
            : RecipeExporter::viewRecipes(m_recipes);
        m_exported->show();
        m_num->setText(QStringLiteral("0"));
        m_num->show();
        result = RecipeExporter::exportToFile(path, layout, recipes, [this](int n) {
            m_num->setText(QString::number(n));
            m_num->repaint();
            Platform::processEvents();
        });
    } catch (const std::exception& e) {
        m_running = false;
        setEnabled(true);
        ShowError(QStringLiteral("exporting data"), QString(), e);
        return false;
    }
    m_running = false;
    setEnabled(true);
    if (result.openFailed) {
        Dialogs::message(QStringLiteral("File Open Error"),
                         QStringLiteral("The filename could not be created.  Please make sure the filename is valid."),
                         MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    InterchangeSettings::write(QStringLiteral("ExportFile"), m_filename->text());
    InterchangeSettings::write(QStringLiteral("ExportType"), QString::number(static_cast<int>(layout)));
    InterchangeSettings::write(QStringLiteral("ExportRange"),
                               m_selected->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (!result.ok) {
        ShowError(QStringLiteral("exporting data"), result.error, AppError::of(AppError::DeviceIoError));
        return false;
    }
    Dialogs::message(QStringLiteral("Export"), QStringLiteral("Export Complete"), MsgButtons::Ok, MsgIcon::Information);
    accept();
    return true;
}
