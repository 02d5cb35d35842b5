#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWebEngineScript>

class QWebEnginePage;
class QWebEngineView;

// Runs script in page and waits for its answer (invalid when none came).
QVariant runScript(QWebEnginePage *page, const QString &script, quint32 world = QWebEngineScript::ApplicationWorld);
// Loads url or html and waits for the load to finish; false when it failed or took too long.
bool loadUrl(QWebEngineView *view, const QUrl &url);
bool loadHtml(QWebEngineView *view, const QString &html,
              const QUrl &baseUrl = QUrl(QStringLiteral("http://127.0.0.1/")));
