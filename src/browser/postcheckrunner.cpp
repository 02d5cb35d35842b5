#include "browser/postcheckrunner.h"

#include "browser/formscan.h"
#include "browser/pagechangescripts.h"
#include "browser/replyformaddress.h"
#include "browser/scriptpage.h"

#include <QPointer>
#include <QVariantMap>

namespace {

QUrl withoutFragment(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveFragment);
}

} // namespace

PostCheckRunner::PostCheckRunner(ScriptPage &page, PostCheck &check, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_check(check)
{
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &PostCheckRunner::poll);
}

void PostCheckRunner::downloadCompleted()
{
    // A new document: whatever was asked of the one before is answered for it no more.
    m_asking = false;
    ++m_serial;
    const PostCheck::Ticket ticket = m_check.downloadCompleted();
    if (ticket.search)
        watchPage(ticket);
    // The page loaded may change without loading again (a quick reply) while the check is armed.
    if (!m_check.isArmed())
        m_poll.stop();
    else if (!m_poll.isActive())
        m_poll.start();
}

void PostCheckRunner::armed()
{
    if (!m_check.isArmed())
        return;
    m_poll.start();
    if (isReplyFormAddress(m_page.pageUrl()))
        return;
    // The page shown now is not searched (the message was only just put into it), but its changes
    // from here on are.
    m_address = withoutFragment(m_page.pageUrl());
    ask(startWatchingPageScript(), [](const QVariant &) {});
}

void PostCheckRunner::ask(const QString &script, std::function<void(const QVariant &)> then)
{
    m_asking = true;
    m_waitedRounds = 0;
    QPointer<PostCheckRunner> self(this);
    const int serial = m_serial;
    m_page.runScript(script, [self, serial, then](const QVariant &answer) {
        if (!self || serial != self->m_serial)
            return;
        self->m_asking = false;
        then(answer);
    });
}

bool PostCheckRunner::showsAddress(const QUrl &url, const QVariant &href) const
{
    // Once the browser shows another page, the one that was read can no longer be watched.
    const QUrl current = withoutFragment(m_page.pageUrl());
    return withoutFragment(url) == current && withoutFragment(QUrl(href.toString())) == current;
}

void PostCheckRunner::watchPage(const PostCheck::Ticket &ticket)
{
    const QUrl url = m_page.pageUrl();
    if (isReplyFormAddress(url))
        return;
    ask(watchPageScript(), [this, ticket, url](const QVariant &answer) { onPageRead(ticket, url, answer); });
}

void PostCheckRunner::onPageRead(const PostCheck::Ticket &ticket, const QUrl &url, const QVariant &answer)
{
    const QVariantMap read = answer.toMap();
    if (!showsAddress(url, read.value(QStringLiteral("href"))))
        return; // the next round finds the new address, and reads its page
    m_address = withoutFragment(url);
    const QVariant body = read.value(QStringLiteral("body"));
    if (!m_check.isCurrent(ticket) || body.typeId() != QMetaType::QString) // no HTML body: nothing to find
        return;
    const QString outer = body.toString();
    if (PostCheck::pageShows(ticket, outer, bodyInnerMarkup(outer)))
        found(ticket);
}

void PostCheckRunner::poll()
{
    if (!m_check.isArmed()) {
        m_poll.stop();
        m_page.runScript(stopWatchingPageScript(), {});
        return;
    }
    if (m_asking) {
        if (++m_waitedRounds < patienceRounds)
            return;
        ++m_serial; // given up: a late answer finds nobody waiting
    }
    if (isReplyFormAddress(m_page.pageUrl()))
        return;
    ask(pollPageChangesScript(), [this](const QVariant &answer) { onPolled(answer); });
}

void PostCheckRunner::onPolled(const QVariant &answer)
{
    if (!answer.isValid() || answer.isNull()) {
        // A document without the observer (not yet parsed when armed, or replaced without a load).
        ask(startWatchingPageScript(), [](const QVariant &) {});
        return;
    }
    const QVariantMap polled = answer.toMap();
    const QUrl url = m_page.pageUrl();
    const QUrl href = withoutFragment(QUrl(polled.value(QStringLiteral("href")).toString()));
    const PostCheck::Ticket ticket = m_check.pageChanged();
    if (!ticket.search)
        return;
    if (href != m_address) {
        // The address changed without a load: a new page, read whole.
        if (showsAddress(url, href))
            watchPage(ticket);
        return;
    }
    if (polled.value(QStringLiteral("changed")).toInt() <= 0)
        return;
    if (PostCheck::boxesHold(ticket, polled.value(QStringLiteral("boxes")).toStringList()))
        return; // not sent yet: what was added stays noted until it is
    ask(takePageChangesScript(), [this, ticket, url](const QVariant &taken) { onChangesTaken(ticket, url, taken); });
}

void PostCheckRunner::onChangesTaken(const PostCheck::Ticket &ticket, const QUrl &url, const QVariant &answer)
{
    const QVariantMap taken = answer.toMap();
    if (!m_check.isCurrent(ticket) || !showsAddress(url, taken.value(QStringLiteral("href"))))
        return;
    if (PostCheck::changeShows(ticket, taken.value(QStringLiteral("markup")).toString()))
        found(ticket);
}

void PostCheckRunner::found(const PostCheck::Ticket &ticket)
{
    if (!m_check.hit(ticket))
        return;
    m_poll.stop();
    m_page.runScript(stopWatchingPageScript(), {});
    Q_EMIT messageShown();
}
