#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs the command-line tool's commands for tests.
namespace TestCli {

struct Run
{
    int status = -1; // the exit status; -1 when the process did not end normally
    QString out;
    QString err;
};

// Runs a command in this process with its output streams captured. Messages the core would show in a box
// are added to err and answered as the tool answers them; input is what the command reads on standard input.
Run run(const QStringList& args, const QByteArray& input = QByteArray());
// The same through the real zestora program (keep to one such test per command).
Run runProcess(const QStringList& args, const QByteArray& input = QByteArray());

} // namespace TestCli
