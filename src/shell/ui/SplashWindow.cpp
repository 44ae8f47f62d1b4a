#include "shell/ui/SplashWindow.h"

#include "base/Dialogs.h"
#include "shell/Version.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

SplashWindow::SplashWindow(int minimumMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_minimumMs(minimumMs)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 24);
    auto* title = new QLabel(Dialogs::applicationTitle(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel(QStringLiteral("Recipe manager for your desktop and handheld"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(Version::Caption + Version::Number, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto* loading = new QLabel(QStringLiteral("Loading recipes..."), this);
    loading->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(12);
    layout->addWidget(version);
    layout->addWidget(loading);
    setStyleSheet(QStringLiteral("SplashWindow { border: 1px solid palette(dark); }"));
}

void SplashWindow::showAndPaint()
{
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    m_shown.start();
    QCoreApplication::processEvents();
}

void SplashWindow::finish()
{
    const qint64 left = m_shown.isValid() ? m_minimumMs - m_shown.elapsed() : 0;
    if (left > 0) {
        QEventLoop wait;
        QTimer::singleShot(int(left), &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    close();
}
