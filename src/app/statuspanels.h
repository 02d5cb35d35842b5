#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class QProgressBar;
class QStatusBar;

// The main window's three status panels and the reply check's progress bar. A text that reports
// an action clears itself after a few seconds, unless another text took its place.
class StatusPanels : public QObject
{
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar *bar);

    void setText(int panel, const QString &text); // panels 1 to 3
    QString text(int panel) const;
    QLabel *panel(int panel) const { return panel >= 1 && panel <= 3 ? m_panels[panel - 1] : nullptr; }
    // Shown while a reply check runs.
    void showProgress(int done, int total, bool running);
    QProgressBar *progressBar() const { return m_progress; }

private:
    QLabel *m_panels[3] = {};
    QProgressBar *m_progress = nullptr;
    QTimer m_clear;
};
