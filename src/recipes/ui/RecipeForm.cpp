#include "recipes/ui/RecipeForm.h"

#include "app/MainUi.h"
#include "recipes/RecipeEncodings.h"
#include "recipes/ui/CategoryWindow.h"
#include "recipes/ui/TypeAhead.h"
#include "shell/AppState.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using Field = RecipeEditSession::Field;

namespace {

// The instructions box shows line breaks as "\n"; the record holds CR LF.
QString toRecordText(const QString& shown)
{
    QString text = shown;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

// Fills a box the way a value is shown, not typed: from its start, so a long text is not scrolled to its end.
void showStart(QComboBox* box, const QString& text)
{
    box->setEditText(text);
    box->lineEdit()->setCursorPosition(0);
}

// Holds a box to limit characters: a longer text is cut, with a beep. True when it was cut.
bool enforceLimit(QComboBox* box, int limit)
{
    const QString text = box->currentText();
    if (text.size() <= limit)
        return false;
    Platform::beep();
    box->setEditText(text.left(limit));
    box->lineEdit()->setCursorPosition(limit);
    return true;
}

} // namespace

RecipeForm::RecipeForm(const MainUi& ui, RecipeEditSession& session, QWidget* window)
    : QObject(window)
    , m_ui(ui)
    , m_session(session)
    , m_window(window)
{
    ui.txtInstructions->setTabChangesFocus(true);
    connect(ui.txtName, &QLineEdit::textChanged, this, &RecipeForm::onNameChanged);
    connect(ui.txtServes, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_session.change(Field::Serves, text); });
    connect(ui.txtInstructions, &QPlainTextEdit::textChanged, this,
            [this] { m_session.change(Field::Instructions, toRecordText(m_ui.txtInstructions->toPlainText())); });

    // Source and rating: typed values complete from their lists, are held to their lengths and tracked.
    const struct
    {
        QComboBox* box;
        int limit;
        Field field;
    } combos[] = { { ui.cboSource, SourceLimit, Field::Source }, { ui.cboRating, RatingLimit, Field::Rating } };
    for (const auto& c : combos) {
        QComboBox* box = c.box;
        const int limit = c.limit;
        const Field field = c.field;
        QString& held = m_heldTexts[field == Field::Source ? 0 : 1];
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box, limit] { onComboEdited(box, limit); });
        connect(box, &QComboBox::currentTextChanged, this,
                [this, box, limit, field] { onComboChanged(box, limit, field); });
        box->installEventFilter(this);
        selectNothingOnFocus(box);
        // Refilling the pick lists (after the source or rating editor) must neither change the shown text
        // nor count as an edit.
        QAbstractItemModel* model = box->model();
        const auto hold = [this, box, &held] {
            if (++m_comboHold == 1 || held.isNull())
                held = box->currentText().isNull() ? QStringLiteral("") : box->currentText();
        };
        const auto release = [this, box, &held] {
            showStart(box, held);
            held = QString();
            if (m_comboHold > 0)
                --m_comboHold;
        };
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, hold);
        connect(model, &QAbstractItemModel::modelReset, this, release);
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, hold);
        connect(model, &QAbstractItemModel::rowsInserted, this, release);
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, hold);
        connect(model, &QAbstractItemModel::rowsRemoved, this, release);
    }
    ui.txtName->installEventFilter(this);
    ui.txtServes->installEventFilter(this);
}

void RecipeForm::show(RecipeRecord values)
{
    const RecipeEditSession::Quiet quiet(m_session);
    m_session.hold(values);
    m_ui.txtName->setText(values.name);
    m_ui.txtName->setCursorPosition(0);
    m_ui.txtServes->setText(values.serves);
    if (toRecordText(m_ui.txtInstructions->toPlainText()) != toRecordText(values.instructions))
        m_ui.txtInstructions->setPlainText(values.instructions);
    showStart(m_ui.cboSource, values.source);
    showStart(m_ui.cboRating, values.rating);
    setCategories(values.category);
    setLines(m_ui.gridIngredients, Field::Ingredients, values.ingredients);
    setLines(m_ui.gridNutrition, Field::Nutrition, values.nutrition);
    setPicture(values.picture);
    // A control may have shortened a value: the session holds what is shown.
    m_session.change(Field::Name, m_ui.txtName->text());
    m_session.change(Field::Serves, m_ui.txtServes->text());
    m_session.change(Field::Instructions, toRecordText(m_ui.txtInstructions->toPlainText()));
    m_session.change(Field::Source, m_ui.cboSource->currentText());
    m_session.change(Field::Rating, m_ui.cboRating->currentText());
}

void RecipeForm::onNameChanged(const QString& typed)
{
    if (!m_session.change(Field::Name, typed))
        return;
    // No recipe is shown: typing a name starts a new one, which empties the name.
    emit nameStartsRecipe();
    if (!m_session.isAdding())
        return;
    m_ui.txtName->setText(typed);
    m_ui.txtName->setCursorPosition(static_cast<int>(typed.size()));
}

void RecipeForm::onComboEdited(QComboBox* box, int limit)
{
    if (m_comboHold)
        return;
    enforceLimit(box, limit);
    ComboTypeAhead(box);
}

void RecipeForm::onComboChanged(QComboBox* box, int limit, Field field)
{
    if (m_comboHold)
        return;
    if (enforceLimit(box, limit))
        return; // the shortened text came through here already
    m_session.change(field, box->currentText());
}

bool RecipeForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget* next = nullptr;
            if (watched == m_ui.txtName)
                next = m_ui.cmdCatAdd;
            else if (watched == m_ui.cboSource)
                next = m_ui.cboRating;
            else if (watched == m_ui.cboRating)
                next = m_ui.txtServes;
            if (next && next->isVisible())
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecipeForm::setCategories(const QString& text)
{
    m_ui.lstCatRecipe->clear();
    m_ui.lstCatRecipe->addItems(splitCategories(text));
    m_session.change(Field::Category, text);
}

void RecipeForm::setLines(QTableWidget* grid, Field field, const QString& text)
{
    const QVector<ItemLine> lines = splitItemLines(text);
    grid->clearContents();
    grid->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        const ItemLine& l = lines.at(r);
        grid->setItem(r, 0, new QTableWidgetItem(l.quantity));
        grid->setItem(r, 1, new QTableWidgetItem(l.units));
        grid->setItem(r, 2, new QTableWidgetItem(l.item));
    }
    m_session.change(field, text);
}

void RecipeForm::setPicture(const QString& path)
{
    m_ui.lblPicFile->setText(path);
    QPixmap picture;
    QLabel* image = m_ui.imgPicture;
    if (!path.isEmpty() && QFileInfo(path).isFile() && picture.load(path))
        image->setPixmap(picture.scaled(image->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        image->clear();
}

QString RecipeForm::fieldText(const QString& field) const
{
    const RecipeRecord& shown = m_session.shown();
    const QString f = field.toLower();
    if (f == QLatin1String("rtgsrc"))
        return composeRtgSrc(shown.rating, shown.source);
    if (f == QLatin1String("key"))
        return shown.key;
    if (f == QLatin1String("baseserves"))
        return m_session.baseServes();
    const QStringList names { "name", "category", "serves", "ingredients", "instructions", "nutrition" };
    const Field fields[]
        = { Field::Name, Field::Category, Field::Serves, Field::Ingredients, Field::Instructions, Field::Nutrition };
    const int i = static_cast<int>(names.indexOf(f));
    if (i >= 0)
        return m_session.value(fields[i]);
    return f == QLatin1String("picture") ? shown.picture : QString();
}

void RecipeForm::setFieldText(const QString& field, const QString& value)
{
    const QString f = field.toLower();
    if (f == QLatin1String("name")) {
        m_ui.txtName->setText(value);
    } else if (f == QLatin1String("category")) {
        setCategories(value);
    } else if (f == QLatin1String("serves")) {
        m_ui.txtServes->setText(value);
    } else if (f == QLatin1String("ingredients")) {
        setLines(m_ui.gridIngredients, Field::Ingredients, value);
    } else if (f == QLatin1String("instructions")) {
        m_ui.txtInstructions->setPlainText(value);
    } else if (f == QLatin1String("nutrition")) {
        setLines(m_ui.gridNutrition, Field::Nutrition, value);
    } else if (f == QLatin1String("rtgsrc")) {
        const RatingSource rs = splitRtgSrc(value);
        showStart(m_ui.cboRating, rs.rating);
        showStart(m_ui.cboSource, rs.source);
    } else if (f == QLatin1String("baseserves")) {
        m_session.setBaseServes(value);
    } else if (f == QLatin1String("picture")) {
        setPicture(value);
        m_session.change(Field::Picture, value);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Categories and picture

void RecipeForm::editCategories()
{
    try {
        CategoryWindow window(splitCategories(m_session.shown().category), AppState::instance().dataPath, m_window);
        if (window.exec() == QDialog::Accepted)
            setCategories(joinCategories(window.categories()));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding a category"), QString(), e);
    }
}

void RecipeForm::removeCategories()
{
    if (!removeSelectedCategories(m_ui.lstCatRecipe))
        return;
    QStringList remaining;
    for (int i = 0; i < m_ui.lstCatRecipe->count(); ++i)
        remaining << m_ui.lstCatRecipe->item(i)->text();
    m_session.change(Field::Category, joinCategories(remaining));
}

void RecipeForm::selectPicture()
{
    const QString current = m_session.shown().picture;
    const QString folder = current.contains(QLatin1Char('.')) ? QFileInfo(current).absolutePath() : QString();
    const QString path
        = Dialogs::openFile(QStringLiteral("Select Picture File"),
                            QStringLiteral("Pictures (*.gif *.jpg *.jpeg *.bmp);;All Files (*)"), folder);
    if (path.isEmpty())
        return; // cancelled: the recipe keeps its picture
    setPicture(path);
    m_session.change(Field::Picture, path);
    m_session.markEdited();
}

void RecipeForm::clearPicture()
{
    if (Dialogs::message(QStringLiteral("Clear Picture"),
                         QStringLiteral("Do you want to clear the picture for this record?"), MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    const QString path = m_session.shown().picture;
    if (!path.isEmpty()) {
        const QString fileName = QFileInfo(path).fileName();
        if (Dialogs::message(QStringLiteral("Delete Picture"),
                             QStringLiteral("Do you also want to delete the picture file") + CRLF + CRLF + fileName
                                 + CRLF + CRLF + QStringLiteral("from your computer?"),
                             MsgButtons::YesNo)
                == MsgAnswer::Yes
            && QFileInfo::exists(path) && !QFile::remove(path)) {
            Dialogs::message(QStringLiteral("Delete Picture"),
                             QStringLiteral("The picture file") + CRLF + CRLF + fileName + CRLF + CRLF
                                 + QStringLiteral("could not be deleted."),
                             MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
    setPicture(QString());
    m_session.change(Field::Picture, QString());
    m_session.markEdited();
}

void RecipeForm::viewPicture()
{
    const QString path = m_session.shown().picture;
    if (path.isEmpty())
        return;
    if (!Platform::openUrl(path))
        Dialogs::message(QStringLiteral("View Picture"),
                         QStringLiteral("The picture could not be opened:") + CRLF + CRLF + path, MsgButtons::Ok,
                         MsgIcon::Exclamation);
}
