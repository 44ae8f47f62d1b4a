#pragma once

#include "base/Dialogs.h"

class QWidget;

// Message boxes and file dialogs shown with Qt widgets, parented to the active window.
class QtDialogs : public DialogBackend
{
public:
    MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon) override;
    QString openFile(const QString& title, const QString& filter, const QString& initialPath) override;
    QString saveFile(const QString& title, const QString& filter, const QString& initialPath) override;
    QString chooseFolder(const QString& title, const QString& initialFolder) override;
};
