#pragma once

#include <QElapsedTimer>
#include <QWidget>

// The start-up window (frmSplash): the program's name and version while the data loads.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    // minimumMs: the shortest time the window stays up once shown, so it can be read.
    explicit SplashWindow(int minimumMs, QWidget* parent = nullptr);

    // Shows the window centred on the screen and lets it paint.
    void showAndPaint();
    // Lets the window system run until the window has been up for its minimum time, then closes it.
    void finish();

private:
    int m_minimumMs;
    QElapsedTimer m_shown;
};
