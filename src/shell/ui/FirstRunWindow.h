#pragma once

#include "shell/FirstRun.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

// The first-start window of an installed program (frmFirstRun): where the data folder goes, the demo cookbook
// or an empty one, and the kind of handheld. OK prepares the folder and writes the settings (FirstRun::apply);
// when that fails the reason is shown and the window stays open. Cancel writes nothing.
class FirstRunWindow : public QDialog
{
    Q_OBJECT
public:
    // proposal: the values shown first; settingsPath: the settings file OK writes.
    FirstRunWindow(const FirstRunChoice& proposal, const QString& settingsPath, QWidget* parent = nullptr);

    // The choice as the controls show it now.
    FirstRunChoice choice() const;

    // Browse...: the folder chooser, starting at the folder shown; a cancelled chooser changes nothing.
    void browse();

    void accept() override;

private:
    QString m_settingsPath;
    QLineEdit* m_folder;
    QRadioButton* m_demo;
    QRadioButton* m_empty;
    QComboBox* m_handheld;
};
