#include "app/statuspanels.h"

#include "ui/twips.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace {
// Long enough to read a two-word report after a glance away from the bar.
constexpr int actionReportMs = 4000;
} // namespace

StatusPanels::StatusPanels(QStatusBar *bar)
    : QObject(bar)
    , m_clearDelayMs(actionReportMs)
{
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        // The middle panel takes the room the others leave.
        bar->addWidget(label, i == int(StatusPanel::Activity) ? 1 : 0);
        m_panels[i].label = label;
        m_panels[i].clear.setSingleShot(true);
        connect(&m_panels[i].clear, &QTimer::timeout, label, &QLabel::clear);
    }
    // As wide as the "Message Editor" frame above it.
    panel(StatusPanel::State)->setMinimumWidth(twipsToPixels(3735));

    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("replyCheckProgress"));
    // Room for "999 of 999" at the bar's height.
    m_progress->setMaximumWidth(twipsToPixels(1500));
    m_progress->setMaximumHeight(twipsToPixels(240));
    m_progress->setFormat(tr("%v of %m"));
    m_progress->hide();
    bar->addPermanentWidget(m_progress);
}

void StatusPanels::setText(StatusPanel panel, const QString &text, StatusLife life)
{
    Panel &target = m_panels[int(panel)];
    target.label->setText(text);
    // A text that took the place of a report stays, whatever the report's timer says.
    if (life == StatusLife::ClearsItself)
        target.clear.start(m_clearDelayMs);
    else
        target.clear.stop();
}

QString StatusPanels::text(StatusPanel panel) const
{
    return m_panels[int(panel)].label->text();
}

void StatusPanels::showProgress(int done, int total, bool running)
{
    m_progress->setVisible(running && total > 0);
    m_progress->setRange(0, qMax(total, 1));
    m_progress->setValue(qBound(0, done, qMax(total, 1)));
}
