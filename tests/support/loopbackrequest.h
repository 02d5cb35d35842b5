#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>

class QTcpServer;

// One request as the loopback test servers see it.
struct LoopbackRequest
{
    QByteArray method;
    QString path;
    QString query;
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
};

// Takes the connection descriptor of server, reads one whole request from it (its body as long
// as Content-Length says), writes the bytes answer gives back and closes the connection; then
// calls served, when given.
void serveOneRequest(QTcpServer *server, qintptr descriptor,
                     const std::function<QByteArray(const LoopbackRequest &)> &answer,
                     const std::function<void(const LoopbackRequest &)> &served = {});
