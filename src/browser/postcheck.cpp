#include "browser/postcheck.h"

#include "browser/visibletext.h"

#include <QRegularExpression>

#include <chrono>

namespace {

// How much of a first line is compared. Further on, engines change more (long addresses shown
// shortened, smileys turned into pictures), and the start alone tells the post.
constexpr qsizetype readingLength = 100;

QString withoutForumCodes(const QString &text)
{
    static const QRegularExpression codes(
        QStringLiteral(
            "\\[/?(url|link|email|mail|b|i|u|s|img|quote|code|color|size|font|center|list|\\*)(=[^\\]\\r\\n]*)?\\]"),
        QRegularExpression::CaseInsensitiveOption);
    QString out = text;
    return out.remove(codes);
}

QString firstShownLine(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("[\\r\\n]"));
    const QStringList lines = text.split(lineBreak);
    for (const QString &line : lines) {
        const QString comparable = comparableText(line);
        if (!comparable.isEmpty())
            return comparable.left(readingLength);
    }
    return QString();
}

} // namespace

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

PostCheck::PostCheck(Clock clock)
    : m_clock(std::move(clock))
{
    if (!m_clock) {
        m_clock = [] {
            return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count());
        };
    }
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
    m_armedUntil = m_clock() + armedMs;
}

bool PostCheck::isArmed() const
{
    return m_countdown >= 1 && m_countdown <= armedDownloads && m_hitArming != m_arming && m_clock() < m_armedUntil;
}

PostCheck::Ticket PostCheck::ticket() const
{
    Ticket ticket;
    ticket.arming = m_arming;
    if (isArmed()) {
        ticket.search = true;
        ticket.probe = firstLineProbe(m_lastInsertedText);
        ticket.readings = messageReadings(m_lastInsertedText);
    }
    return ticket;
}

PostCheck::Ticket PostCheck::downloadCompleted()
{
    const Ticket searched = ticket();
    if (m_countdown > 0)
        --m_countdown;
    return searched;
}

PostCheck::Ticket PostCheck::pageChanged() const
{
    return ticket();
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

QStringList messageReadings(const QString &insertedText)
{
    const QString text = withoutForumCodes(insertedText);
    QStringList readings;
    for (const QString &reading : {firstShownLine(visibleText(text)), firstShownLine(text)}) {
        if (!reading.isEmpty() && !readings.contains(reading))
            readings.append(reading);
    }
    return readings;
}

bool pageShowsMessage(const QStringList &readings, const QString &bodyMarkup)
{
    if (readings.isEmpty())
        return true;
    const QString shown = comparableText(visibleText(bodyMarkup));
    for (const QString &reading : readings) {
        if (shown.contains(reading))
            return true;
    }
    return false;
}

bool PostCheck::pageShows(const Ticket &ticket, const QString &outerHtml, const QString &innerHtml)
{
    return pageShowsProbe(ticket.probe, outerHtml, innerHtml) || pageShowsMessage(ticket.readings, outerHtml);
}

bool PostCheck::changeShows(const Ticket &ticket, const QString &addedMarkup)
{
    return !ticket.readings.isEmpty() && !addedMarkup.isEmpty() && pageShows(ticket, addedMarkup, QString());
}

bool PostCheck::boxesHold(const Ticket &ticket, const QStringList &boxTexts)
{
    for (const QString &text : boxTexts) {
        if (text.trimmed().isEmpty())
            continue;
        // A text area holds the message as it was inserted; an editor shows what its codes enclose.
        if (!ticket.probe.trimmed().isEmpty() && text.contains(ticket.probe, Qt::CaseInsensitive))
            return true;
        const QString shown = comparableText(withoutForumCodes(text));
        for (const QString &reading : ticket.readings) {
            if (shown.contains(reading))
                return true;
        }
    }
    return false;
}
