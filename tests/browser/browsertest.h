#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWebEngineScript>
#include <QWebEngineUrlRequestInterceptor>

class QWebEnginePage;
class QWebEngineView;

// Keeps the engine away from every server but the ones a test starts on 127.0.0.1: saved forum
// pages still name their sites' scripts and pictures, and the program's own start page is a
// real address.
class LoopbackOnly : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
    // Installs one for the default profile, for the whole test run.
    static void install();
};

// Runs script in page and waits for its answer (invalid when none came).
QVariant runScript(QWebEnginePage *page, const QString &script, quint32 world = QWebEngineScript::ApplicationWorld);
// Loads url or html and waits for the load to finish; false when it failed or took too long.
bool loadUrl(QWebEngineView *view, const QUrl &url);
bool loadHtml(QWebEngineView *view, const QString &html,
              const QUrl &baseUrl = QUrl(QStringLiteral("http://127.0.0.1/")));
