#pragma once

#include "cli/CommandLine.h"

#include <QStringList>
#include <QTextStream>

// Runs the command named by the first argument (arguments exclude the program name), or answers --help and
// --version. Returns the exit status (see CliStatus).
int runCli(QStringList args, QTextStream& out, QTextStream& err);

// The commands. Each gets its arguments parsed and checked against its entry in the dispatcher's table
// (count, options, an existing data folder) and returns the exit status.
int cmdInit(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdCheck(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdBackup(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdRestore(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdList(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdShow(const CommandLine& cl, QTextStream& out, QTextStream& err);
// Quantities: scale one quantity text; parse free ingredient text from standard input.
int cmdScale(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdParse(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdMaster(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdShop(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdMenu(const CommandLine& cl, QTextStream& out, QTextStream& err);
// Interchange: recipe import and export, plain texts and the SplashShopper file.
int cmdImport(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdExport(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdText(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdSplashShopper(const CommandLine& cl, QTextStream& out, QTextStream& err);
int cmdReport(const CommandLine& cl, QTextStream& out, QTextStream& err);
