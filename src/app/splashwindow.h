#pragma once

#include <QWidget>

class MainWindow;
class QLabel;
class QTimer;

// The first window of the process: shows the picture for 75 ticks of a 2 ms timer, then brings up
// the main window and hides itself.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

    QTimer *timer() const { return loadTimer; }
    MainWindow *mainWindow() const { return m_main; }

Q_SIGNALS:
    void mainWindowShown(MainWindow *window);

private:
    void tick();

    QLabel *picture = nullptr;
    QTimer *loadTimer = nullptr;
    qint16 intTemp = 0;
    MainWindow *m_main = nullptr;
};
