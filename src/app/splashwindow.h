#pragma once

#include <QWidget>

class QLabel;
class Skin;
class QTimer;

// The first window of the process: shows the picture for 75 ticks of a 2 ms timer, then hides
// itself and says its time is up (main() brings up the main window then).
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    // Its load starts skin when that is on.
    explicit SplashWindow(Skin &skin, QWidget *parent = nullptr);

    QTimer *timer() const { return loadTimer; }

Q_SIGNALS:
    void timeUp();

private:
    void tick();

    QLabel *picture = nullptr;
    QTimer *loadTimer = nullptr;
    qint16 intTemp = 0;
};
