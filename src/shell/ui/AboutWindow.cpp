#include "shell/ui/AboutWindow.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "shell/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + Dialogs::applicationTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    auto* title = new QLabel(Dialogs::applicationTitle(), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(Version::Caption + Version::Number, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* text = new QLabel(QStringLiteral("A recipe manager and cookbook that shares its recipes, shopping list and "
                                           "menu planner with your handheld."),
                            this);
    text->setWordWrap(true);
    auto* support = new QLabel(QStringLiteral("Support: %1  -  %2").arg(Support::WebSite, Support::Email), this);
    support->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->addWidget(support);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}
