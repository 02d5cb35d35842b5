#pragma once

#include <QWidget>

class Form1;
class QLabel;
class QTimer;

// The first window of the process: shows the picture for 75 ticks of a 2 ms timer, then brings up
// the main window and hides itself.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QTimer *timer() const { return Timer2; }
    Form1 *mainWindow() const { return m_main; }

Q_SIGNALS:
    void mainWindowShown(Form1 *window);

private:
    void tick();

    QLabel *Image1 = nullptr;
    QTimer *Timer2 = nullptr;
    qint16 intTemp = 0;
    Form1 *m_main = nullptr;
};
