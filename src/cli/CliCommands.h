#pragma once

#include <QStringList>
#include <QTextStream>

// One sub-command of the command-line tool: its name, its usage line and its entry point.
// Arguments exclude the program and command names. Returns the exit status.
struct CliCommand
{
    const char* name;
    const char* usage;
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

// Runs the command named by the first argument (arguments exclude the program name), or answers --help and
// --version (the usage also for no command or an unknown one). Returns the exit status.
int runCli(QStringList args, QTextStream& out, QTextStream& err);

int cmdInit(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdCheck(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdBackup(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdRestore(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdList(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdShow(const QStringList& args, QTextStream& out, QTextStream& err);
// Quantities: scale one quantity text; parse free ingredient text from standard input.
int cmdScale(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdParse(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdMaster(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdShop(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdMenu(const QStringList& args, QTextStream& out, QTextStream& err);
// Interchange: recipe import and export, plain texts and the SplashShopper file.
int cmdImport(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdExport(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdText(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdSplashShopper(const QStringList& args, QTextStream& out, QTextStream& err);
int cmdReport(const QStringList& args, QTextStream& out, QTextStream& err);
