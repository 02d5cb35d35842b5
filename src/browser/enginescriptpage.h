#pragma once

#include "browser/scriptpage.h"

#include <QPointer>

class QWebEnginePage;

// The browser engine's page seen as a ScriptPage: scripts run in the application's own world, so
// a forum's scripts can neither see nor replace the functions ours use.
class EngineScriptPage : public ScriptPage
{
    Q_OBJECT
public:
    explicit EngineScriptPage(QWebEnginePage *page, QObject *parent = nullptr);

    void runScript(const QString &script, ScriptResult done) override;
    QUrl pageUrl() const override;
    void focusPage() override;

private:
    QPointer<QWebEnginePage> m_page;
};
