#include "browser/enginescriptpage.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

EngineScriptPage::EngineScriptPage(QWebEnginePage *page, QObject *parent)
    : ScriptPage(parent)
    , m_page(page)
{
    connect(page, &QWebEnginePage::loadFinished, this, &ScriptPage::loadFinished);
}

void EngineScriptPage::runScript(const QString &script, ScriptResult done)
{
    if (!m_page)
        return;
    // The answer comes after a trip to the renderer; by then this adapter may be gone.
    QPointer<EngineScriptPage> self(this);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self, done](const QVariant &result) {
        if (self && done)
            done(result);
    });
}

QUrl EngineScriptPage::pageUrl() const
{
    return m_page ? m_page->url() : QUrl();
}

void EngineScriptPage::focusPage()
{
    if (QWebEngineView *view = m_page ? QWebEngineView::forPage(m_page) : nullptr)
        view->setFocus(Qt::OtherFocusReason);
}
