#include "shell/ui/QtPlatform.h"

#include "shell/ui/X11Windows.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QUrl>

QtPlatform::QtPlatform()
    : m_x11(std::make_unique<X11Windows>())
{
}

QtPlatform::~QtPlatform() = default;

QString QtPlatform::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void QtPlatform::setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void QtPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

bool QtPlatform::openUrl(const QString& fileOrUrl)
{
    const QUrl asUrl(fileOrUrl, QUrl::StrictMode);
    // A drive letter ("C:") parses as a scheme; only real schemes of two or more letters count.
    const bool isUrl = asUrl.isValid() && asUrl.scheme().size() > 1 && !QFileInfo::exists(fileOrUrl);
    return QDesktopServices::openUrl(isUrl ? asUrl : QUrl::fromLocalFile(fileOrUrl));
}

int QtPlatform::runAndWait(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    process.start(program, arguments);
    if (!failedToStart && process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents); // windows repaint; no clicks while the tool runs
    if (failedToStart || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

bool QtPlatform::topLevelWindowExists(const QString& title)
{
    return m_x11->topLevelWindowExists(title);
}

QString QtPlatform::lockPath(const QString& key)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return QDir(QDir::tempPath()).filePath(key + QLatin1Char('-') + user + QStringLiteral(".lock"));
}

bool QtPlatform::acquireSingleInstance(const QString& key)
{
    if (m_lock)
        return true;
    auto lock = std::make_unique<QLockFile>(lockPath(key));
    // A lock whose owner process is gone is removed by tryLock; a live owner is never considered stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}
