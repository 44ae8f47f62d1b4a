#include "shell/ui/PreferencesWindow.h"

#include "shell/AppState.h"
#include "shell/Preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kEquivalentsMax = 4000;
constexpr int kServesMax = 10;
} // namespace

PreferencesWindow::PreferencesWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));

    auto* global = new QGroupBox(QStringLiteral("Global Options"), this);
    global->setObjectName(QStringLiteral("fraGlobal"));
    auto* handheld = new QGroupBox(QStringLiteral("Handheld Options"), this);
    handheld->setObjectName(QStringLiteral("fraHandheld"));
    auto* globalLayout = new QVBoxLayout(global);
    auto* globalForm = new QFormLayout;
    auto* handheldLayout = new QVBoxLayout(handheld);
    auto* handheldForm = new QFormLayout;

    for (const PreferenceKey& k : preferenceKeys()) {
        const bool onHandheld = k.key == QLatin1String("backup_DBs") || k.key == QLatin1String("ingredients")
            || k.key == QLatin1String("instructions");
        QWidget* box = onHandheld ? handheld : global;
        QWidget* w = nullptr;
        switch (k.kind) {
        case PreferenceKey::Flag: {
            auto* check = new QCheckBox(k.caption, box);
            check->setObjectName(QStringLiteral("chk_") + k.key);
            (onHandheld ? handheldLayout : globalLayout)->addWidget(check);
            w = check;
            break;
        }
        case PreferenceKey::Choice: {
            auto* combo = new QComboBox(box);
            combo->setObjectName(QStringLiteral("cbo_") + k.key);
            combo->addItems(k.choices);
            (onHandheld ? handheldForm : globalForm)->addRow(k.caption, combo);
            w = combo;
            break;
        }
        case PreferenceKey::Number: {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QStringLiteral("txt_") + k.key);
            edit->setMaxLength(kServesMax);
            edit->setMaximumWidth(80);
            globalForm->addRow(k.caption, edit);
            w = edit;
            break;
        }
        case PreferenceKey::Multiline: {
            auto* edit = new QPlainTextEdit(box);
            edit->setObjectName(QStringLiteral("txt_") + k.key);
            edit->setTabChangesFocus(true);
            edit->setMinimumHeight(110);
            // The stored text has a fixed maximum; longer input is cut as it is typed or pasted.
            connect(edit, &QPlainTextEdit::textChanged, edit, [edit] {
                const QString text = edit->toPlainText();
                if (text.size() > kEquivalentsMax) {
                    edit->setPlainText(text.left(kEquivalentsMax));
                    edit->moveCursor(QTextCursor::End);
                }
            });
            globalLayout->addSpacing(4);
            globalLayout->addWidget(new QLabel(k.caption, box));
            globalLayout->addWidget(edit);
            w = edit;
            break;
        }
        }
        m_controls.insert(k.key, w);
    }
    globalLayout->addLayout(globalForm);
    handheldLayout->addLayout(handheldForm);
    handheldLayout->addStretch();

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setToolTip(QStringLiteral("Save Changes"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Canc&el"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setToolTip(QStringLiteral("Cancel Changes"));
    connect(ok, &QPushButton::clicked, this, [this] {
        save();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* frames = new QHBoxLayout;
    frames->addWidget(global, 3);
    frames->addWidget(handheld, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    load();
}

QString PreferencesWindow::shownValue(const QString& key) const
{
    QWidget* w = control(key);
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(w))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(w))
        return text->toPlainText();
    return QString();
}

void PreferencesWindow::load()
{
    AppState& state = AppState::instance();
    for (const PreferenceKey& k : preferenceKeys()) {
        // Found or not, the reading is the one every feature uses.
        const QString missingMark = QStringLiteral("\x01missing");
        const QString stored = state.preference(k.key, missingMark);
        const bool found = stored != missingMark;
        const QString shown = PreferenceText::shown(k, found, found ? stored : QString());
        QWidget* w = control(k.key);
        if (auto* check = qobject_cast<QCheckBox*>(w))
            check->setChecked(shown == QLatin1String("1"));
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setCurrentIndex(qMax(0, combo->findText(shown)));
        else if (auto* line = qobject_cast<QLineEdit*>(w))
            line->setText(shown);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(w))
            text->setPlainText(shown);
    }
    m_remembered = currentValues();
}

QStringList PreferencesWindow::currentValues() const
{
    QStringList values;
    for (const PreferenceKey& k : preferenceKeys())
        values << PreferenceText::stored(k, shownValue(k.key));
    return values;
}

void PreferencesWindow::save()
{
    const QStringList now = currentValues();
    const auto& keys = preferenceKeys();
    for (int i = 0; i < keys.size(); ++i)
        SetPreference(keys.at(i).key, m_remembered.at(i), now.at(i));
    m_remembered = now;
}

void PreferencesWindow::open(QWidget* parent)
{
    PreferencesWindow window(parent);
    window.exec();
}
