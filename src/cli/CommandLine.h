#pragma once

#include "recipes/SearchCriteria.h"

#include <QCommandLineParser>
#include <QTextStream>

// The exit statuses of the tool, one per kind of outcome.
namespace CliStatus {
constexpr int Done = 0;
// Nothing matched or was found, or a limit refused the change.
constexpr int Refused = 1;
// Wrong arguments, or data that could not be read or written (a missing data folder, a table file that
// cannot be loaded, a file that cannot be written).
constexpr int Failed = 2;
} // namespace CliStatus

// One option of a command: its names (the first is the one shown), the name of its value (empty for a
// flag) and what it does.
struct CliOption
{
    QStringList names;
    QString valueName;
    QString description;
};

// One command of the tool as the dispatcher knows it.
struct CliCommandInfo
{
    const char* name;
    const char* arguments; // the positional arguments, as shown in the usage
    const char* description;
    int minArgs;
    int maxArgs;
    bool dataFolder; // the first argument is a data folder that must exist
    bool search; // the command takes the shared search options
    QList<CliOption> options;
};

// A command's parsed arguments. Every command goes through it, so a wrong option, a missing value, a wrong
// number of arguments and a missing data folder give one message and one status from every command.
class CommandLine
{
public:
    CommandLine(const CliCommandInfo& info, QTextStream& err);

    // The search options that list, export and report share.
    static const QList<CliOption>& searchOptions();
    // The usage line of a command: "zestora NAME ARGUMENTS [OPTIONS]".
    static QString usage(const CliCommandInfo& info);

    // Parses the arguments (without the program and command names). On failure the message is written
    // and the returned status is CliStatus::Failed; otherwise CliStatus::Done.
    int parse(const QStringList& args);

    const QStringList& args() const { return m_args; }
    QString arg(int i) const { return m_args.value(i); }
    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }
    QStringList values(const QString& name) const { return m_parser.values(name); }
    // The search the shared options ask for; a second --category fills the second category.
    SearchCriteria criteria() const;

    // Writes "zestora COMMAND: text" and returns status.
    int fail(int status, const QString& text) const;
    // Writes "zestora COMMAND: text" and the command's usage; returns CliStatus::Failed.
    int usageError(const QString& text) const;

private:
    const CliCommandInfo& m_info;
    QTextStream& m_err;
    QCommandLineParser m_parser;
    QStringList m_args;
};
