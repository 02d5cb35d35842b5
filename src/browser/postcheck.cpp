#include "browser/postcheck.h"

QString firstLineProbe(const QString &insertedText)
{
    qsizetype length = insertedText.size();
    const QString delimiters[] = {QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n"),
                                  QStringLiteral("<")};
    for (const QString &delimiter : delimiters) {
        const qsizetype before = insertedText.indexOf(delimiter, 0, Qt::CaseInsensitive);
        if (before > 0 && before < length)
            length = before;
    }
    return insertedText.left(length);
}

bool pageShowsProbe(const QString &probe, const QString &outerHtml, const QString &innerHtml)
{
    if (probe.isEmpty())
        return true;
    // Searched apart, then across the seam, so no copy of a large page is built.
    if (outerHtml.contains(probe, Qt::CaseInsensitive) || innerHtml.contains(probe, Qt::CaseInsensitive))
        return true;
    const qsizetype reach = probe.size() - 1;
    const QString seam = outerHtml.right(reach) + QStringLiteral("\r\n") + innerHtml.left(reach);
    return seam.contains(probe, Qt::CaseInsensitive);
}

void PostCheck::arm(const QString &insertedText)
{
    m_lastInsertedText = insertedText;
    armCountdown(armedDownloads);
}

void PostCheck::armCountdown(int downloads)
{
    m_countdown = downloads;
    ++m_arming;
}

PostCheck::Ticket PostCheck::downloadCompleted()
{
    Ticket ticket;
    ticket.arming = m_arming;
    if (m_countdown >= 1 && m_countdown <= armedDownloads && m_hitArming != m_arming) {
        ticket.search = true;
        ticket.probe = firstLineProbe(m_lastInsertedText);
    }
    if (m_countdown > 0)
        --m_countdown;
    return ticket;
}

bool PostCheck::isCurrent(const Ticket &ticket) const
{
    return ticket.search && ticket.arming != m_hitArming;
}

bool PostCheck::hit(const Ticket &ticket)
{
    if (!isCurrent(ticket))
        return false;
    m_hitArming = ticket.arming;
    if (ticket.arming == m_arming)
        m_countdown = 0;
    return true;
}
