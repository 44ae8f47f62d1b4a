#include "Cli.h"

#include "TestPaths.h"

#include "base/Dialogs.h"
#include "cli/CliCommands.h"

#include <QProcess>
#include <QTemporaryFile>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace TestCli {

namespace {

    // Shows messages as the tool does (the answer included) and keeps their text for err.
    class CapturedDialogs : public StderrDialogs
    {
    public:
        QString text;
        MsgAnswer message(const QString& title, const QString& body, MsgButtons buttons, MsgIcon icon) override
        {
            QString shown = body;
            text += title + QStringLiteral(": ") + shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
                + QLatin1Char('\n');
            return StderrDialogs::message(title, body, buttons, icon);
        }
    };

    // Makes standard input read the given bytes for its lifetime.
    class StdinFrom
    {
    public:
        explicit StdinFrom(const QByteArray& bytes)
        {
            if (!m_file.open() || m_file.write(bytes) != bytes.size() || !m_file.flush())
                qFatal("cannot prepare standard input");
            m_saved = ::dup(STDIN_FILENO);
            std::FILE* f = std::fopen(qPrintable(m_file.fileName()), "rb");
            ::dup2(::fileno(f), STDIN_FILENO);
            std::fclose(f);
            std::clearerr(stdin);
        }
        ~StdinFrom()
        {
            ::dup2(m_saved, STDIN_FILENO);
            ::close(m_saved);
            std::clearerr(stdin);
        }

    private:
        QTemporaryFile m_file;
        int m_saved = -1;
    };

} // namespace

Run run(const QStringList& args, const QByteArray& input)
{
    Run result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    CapturedDialogs dialogs;
    DialogBackend* previous = Dialogs::backend();
    Dialogs::setBackend(&dialogs);
    {
        StdinFrom in(input);
        result.status = runCli(args, out, err);
    }
    Dialogs::setBackend(previous);
    out.flush();
    err.flush();
    result.err += dialogs.text;
    return result;
}

Run runProcess(const QStringList& args, const QByteArray& input)
{
    QProcess p;
    p.start(QStringLiteral(ZESTORA_BINARY_DIR "/src/zestora"), args);
    if (!p.waitForStarted())
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    Run result;
    result.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    result.out = QString::fromUtf8(p.readAllStandardOutput());
    result.err = QString::fromUtf8(p.readAllStandardError());
    return result;
}

} // namespace TestCli
