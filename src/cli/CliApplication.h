#pragma once

#include <QCoreApplication>

#include <memory>

// The application object for one run of the tool. Commands that paint pages ("report") need fonts and so
// a QGuiApplication, which runs on the offscreen platform (no display needed); every other command runs
// on a plain QCoreApplication.
std::unique_ptr<QCoreApplication> createCliApplication(int& argc, char** argv);
