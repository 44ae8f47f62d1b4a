#pragma once

#include <QString>

// Button sets, icons and answers of a message box.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// What a platform shows. The application installs a widget implementation; tests install a scripted one;
// the command-line tool installs one that writes to stderr.
class DialogBackend
{
public:
    virtual ~DialogBackend() = default;
    // Shows a modal message box and returns the button pressed.
    virtual MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon) = 0;
    // Open and save file dialogs; the filter uses Qt's "Text files (*.txt);;All files (*)" form.
    // An empty result means the user cancelled.
    virtual QString openFile(const QString& title, const QString& filter, const QString& initialPath) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& initialPath) = 0;
    // Folder chooser; empty when cancelled.
    virtual QString chooseFolder(const QString& title, const QString& initialFolder) = 0;
};

// The one facade through which every message box and file dialog is shown.
class Dialogs
{
public:
    // The program's title, shown on a message box given without a title.
    static QString applicationTitle();

    // Installs the backend (not owned); nullptr restores the default, which writes messages to stderr and
    // answers Ok/Yes/empty.
    static void setBackend(DialogBackend* backend);
    static DialogBackend* backend();

    // Texts use CR LF line ends; an empty title shows the application's title.
    static MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons = MsgButtons::Ok,
                             MsgIcon icon = MsgIcon::None);
    static QString openFile(const QString& title, const QString& filter, const QString& initialPath = QString());
    static QString saveFile(const QString& title, const QString& filter, const QString& initialPath = QString());
    static QString chooseFolder(const QString& title, const QString& initialFolder = QString());
};

// A backend that writes each message box's title and text to stderr and answers with the default button.
// Used by the command-line tool and when nothing else is installed.
class StderrDialogs : public DialogBackend
{
public:
    MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon) override;
    QString openFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString chooseFolder(const QString&, const QString&) override { return QString(); }
};
