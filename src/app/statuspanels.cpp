#include "app/statuspanels.h"

#include "core/statustext.h"
#include "ui/twips.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar *bar)
    : QObject(bar)
{
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel, i == 1 ? 1 : 0);
        m_panels[i] = panel;
    }
    m_panels[0]->setMinimumWidth(twipsToPixels(3735));

    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("replyCheckProgress"));
    m_progress->setMaximumWidth(twipsToPixels(1500));
    m_progress->setMaximumHeight(twipsToPixels(240));
    m_progress->setFormat(QStringLiteral("%v of %m"));
    m_progress->hide();
    bar->addPermanentWidget(m_progress);

    m_clear.setSingleShot(true);
    m_clear.setInterval(actionStatusMs);
    connect(&m_clear, &QTimer::timeout, this, [this] {
        if (statusClearsItself(m_panels[0]->text()))
            m_panels[0]->clear();
    });
}

void StatusPanels::setText(int panel, const QString &text)
{
    if (panel < 1 || panel > 3)
        return;
    m_panels[panel - 1]->setText(text);
    if (panel == 1 && statusClearsItself(text))
        m_clear.start();
}

QString StatusPanels::text(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_panels[panel - 1]->text() : QString();
}

void StatusPanels::showProgress(int done, int total, bool running)
{
    m_progress->setVisible(running && total > 0);
    m_progress->setRange(0, qMax(total, 1));
    m_progress->setValue(qBound(0, done, qMax(total, 1)));
}
