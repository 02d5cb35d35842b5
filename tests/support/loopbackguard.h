#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <memory>

// Keeps a test's browser pages on loopback: the program's start page and saved forum pages name
// real sites. Requests to anything but 127.0.0.1 (and data:, about:, qrc:) are blocked.
class LoopbackGuard : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
};

// A guard for a test's own browser profile: BrowserProfile(QString(), loopbackGuard()) keeps
// nothing and reaches loopback only.
std::unique_ptr<QWebEngineUrlRequestInterceptor> loopbackGuard();
