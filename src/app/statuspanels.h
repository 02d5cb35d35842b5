#pragma once

#include "core/statustext.h"

#include <QObject>
#include <QTimer>

class QLabel;
class QProgressBar;
class QStatusBar;

// The main window's three status panels and the reply check's progress bar. A text sent as
// clearing itself goes after clearDelay(), unless another text took its place.
class StatusPanels : public QObject
{
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar *bar);

    void setText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);
    QString text(StatusPanel panel) const;
    QLabel *panel(StatusPanel panel) const { return m_panels[int(panel)].label; }
    // Shown while a reply check runs.
    void showProgress(int done, int total, bool running);
    QProgressBar *progressBar() const { return m_progress; }

    // How long a text that clears itself stays, in milliseconds.
    int clearDelay() const { return m_clearDelayMs; }
    void setClearDelay(int ms) { m_clearDelayMs = ms; }

private:
    struct Panel
    {
        QLabel *label = nullptr;
        QTimer clear;
    };
    Panel m_panels[3];
    QProgressBar *m_progress = nullptr;
    int m_clearDelayMs;
};
