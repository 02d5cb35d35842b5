#include "browser/insertcontroller.h"

#include "browser/formscan.h"
#include "browser/insertreport.h"
#include "browser/pagescripts.h"
#include "browser/postcheck.h"
#include "browser/scriptpage.h"
#include "core/atomicfile.h"
#include "core/textfile.h"

#include <QPointer>

#include <utility>

InsertController::InsertController(ScriptPage &page, PostCheck &postCheck, MessageSource message,
                                   FailureReport reportFailure, const QString &scratchFile, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_postCheck(postCheck)
    , m_message(std::move(message))
    , m_reportFailure(std::move(reportFailure))
    , m_scratchFile(scratchFile)
{
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(answerLimitMs);
    connect(&m_watchdog, &QTimer::timeout, this, [this] { end(m_serial, false); });
    // What a person sees of the page once it has loaded is no composer the page opened later.
    connect(&m_page, &ScriptPage::loadFinished, this, [this] { m_page.runScript(noteLoadedSurfacesScript(), {}); });
}

void InsertController::autoInsert()
{
    if (m_busy) {
        ++m_queued;
        return;
    }
    start();
}

void InsertController::start()
{
    m_busy = true;
    const int serial = ++m_serial;
    m_watchdog.start();
    m_current = m_message();
    m_answered = false;
    // The surface the user works in comes first; only without one is the page's markup read.
    run(serial, fillUserSurfaceScript(m_current.text), [this, serial](const QVariant &answer) {
        if (parseInsertReport(answer).road != InsertReport::None)
            onFilled(serial, answer);
        else
            run(serial, readBodyOuterScript(), [this, serial](const QVariant &body) { onMarkup(serial, body); });
    });
}

void InsertController::run(int serial, const QString &script, std::function<void(const QVariant &)> then)
{
    QPointer<InsertController> self(this);
    m_page.runScript(script, [self, serial, then](const QVariant &answer) {
        // Answers for an insert that has ended (given up, or another page) are ignored.
        if (self && self->m_busy && serial == self->m_serial)
            then(answer);
    });
}

void InsertController::onMarkup(int serial, const QVariant &body)
{
    const QString outer = body.typeId() == QMetaType::QString ? body.toString() : QString();
    const FormScan scan = scanForPostForm(outer, bodyInnerMarkup(outer));
    // Written once the message is in: the page is filled first, the record of the scan after.
    m_scratchTexts = scan.scratchTexts;
    // With nothing found in the markup, the page may still have a form that owns a message box.
    run(serial, fillMessageBoxScript(scan.formIndex, scan.fieldIndex, m_current.text),
        [this, serial](const QVariant &answer) { onFilled(serial, answer); });
}

void InsertController::onFilled(int serial, const QVariant &answer)
{
    const InsertReport report = parseInsertReport(answer);
    switch (report.road) {
    case InsertReport::None: end(serial, false); return;
    case InsertReport::Field:
        if (showsMessage(report.text, m_current.text))
            succeed(serial);
        else
            end(serial, false);
        return;
    case InsertReport::Editor:
        m_page.focusPage();
        m_focusWait.setRemainingTime(focusWaitMs);
        select(serial);
        return;
    }
}

void InsertController::select(int serial)
{
    // Selected again once the editor knows it has the focus, and pasted in the next script, after
    // it has heard of the selection, so the message replaces what the editor held.
    run(serial, selectSurfaceScript(), [this, serial](const QVariant &answer) {
        const InsertReport selected = parseInsertReport(answer);
        if (selected.road != InsertReport::Editor)
            end(serial, false);
        else if (!selected.focused && !m_focusWait.hasExpired())
            QTimer::singleShot(focusPollMs, this, [this, serial] { select(serial); });
        else
            paste(serial);
    });
}

QString InsertController::pastedText() const
{
    return m_current.markup ? visibleTextOfMarkup(editorMarkup(m_current.text)) : m_current.text;
}

QString InsertController::pastedMarkup() const
{
    return m_current.markup ? editorMarkup(m_current.text) : QString();
}

void InsertController::paste(int serial)
{
    run(serial, pasteIntoSurfaceScript(pastedText(), pastedMarkup()),
        [this, serial](const QVariant &pasted) { onSurfaceRead(serial, pasted, readBackTries); });
}

void InsertController::onSurfaceRead(int serial, const QVariant &answer, int triesLeft)
{
    const InsertReport report = parseInsertReport(answer);
    if (report.road != InsertReport::Editor) {
        end(serial, false);
        return;
    }
    if (report.asked && !m_answered) {
        // The editor asks how to take the paste: it gets the answer a person would give, once.
        // Whatever the surface shows meanwhile is what it held before.
        m_answered = true;
        run(serial, answerQuestionScript(pastedText(), pastedMarkup()),
            [this, serial, triesLeft](const QVariant &typed) { onSurfaceRead(serial, typed, triesLeft); });
        return;
    }
    // In, and no question left open.
    if (!report.asked && (showsMessage(report.text, pastedText()) || showsMessage(report.text, m_current.plain))) {
        succeed(serial);
        return;
    }
    if (triesLeft <= 0) {
        end(serial, false);
        return;
    }
    QTimer::singleShot(readBackIntervalMs, this, [this, serial, triesLeft] {
        run(serial, readSurfaceScript(),
            [this, serial, triesLeft](const QVariant &read) { onSurfaceRead(serial, read, triesLeft - 1); });
    });
}

void InsertController::succeed(int serial)
{
    m_postCheck.arm(m_current.text);
    end(serial, true);
}

void InsertController::end(int serial, bool inserted)
{
    if (serial != m_serial || !m_busy)
        return;
    m_watchdog.stop();
    // Late answers for this insert are ignored from here on.
    ++m_serial;

    // Only a record of what was scanned, written once the user has the answer: when it cannot be
    // written, the insert stands.
    QTimer::singleShot(0, this, [texts = std::exchange(m_scratchTexts, {}), file = m_scratchFile] {
        for (const QString &text : texts) {
            const QString error = writeFileAtomically(file, encodeText(text));
            if (!error.isEmpty())
                qWarning("%s", qPrintable(error));
        }
    });

    QPointer<InsertController> self(this);
    auto next = [self, inserted] {
        if (!self)
            return;
        self->m_busy = false;
        Q_EMIT self->finished(inserted);
        if (self->m_queued > 0) {
            --self->m_queued;
            self->start();
        }
    };
    if (inserted || !m_reportFailure)
        next();
    else
        m_reportFailure(next);
}
