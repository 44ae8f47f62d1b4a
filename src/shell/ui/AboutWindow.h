#pragma once

#include <QDialog>

// The about window (frmAbout): name, version and web site of the program.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
