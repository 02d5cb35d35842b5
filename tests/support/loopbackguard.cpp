#include "loopbackguard.h"

#include <QUrl>

void LoopbackGuard::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    const bool local = url.host() == QLatin1String("127.0.0.1") || url.scheme() == QLatin1String("data") ||
                       url.scheme() == QLatin1String("about") || url.scheme() == QLatin1String("qrc");
    if (!local)
        info.block(true);
}

std::unique_ptr<QWebEngineUrlRequestInterceptor> loopbackGuard()
{
    return std::make_unique<LoopbackGuard>();
}
