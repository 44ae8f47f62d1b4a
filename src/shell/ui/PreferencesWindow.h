#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>

class QWidget;

// The Preferences window: the nine shared settings in two frames, "Global Options" and "Handheld Options".
// Opens with the values of the held preferences table; OK writes the changed ones into that table
// (SetPreference), Cancel leaves it alone. The file is written by the next Save All or at exit.
class PreferencesWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget* parent = nullptr);

    // Each key's control value as text (check boxes "1"/"0"), in stored form; in the order of preferenceKeys().
    QStringList currentValues() const;
    // The values as they were shown on opening, in the same form.
    QStringList rememberedValues() const { return m_remembered; }

    // Modal run from the main window's menu.
    static void open(QWidget* parent);

private:
    void load();
    void save();
    QWidget* control(const QString& key) const { return m_controls.value(key); }
    QString shownValue(const QString& key) const;

    QHash<QString, QWidget*> m_controls;
    QStringList m_remembered;
};
