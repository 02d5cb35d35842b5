#include "loopbackrequest.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

void serveOneRequest(QTcpServer *server, qintptr descriptor,
                     const std::function<QByteArray(const LoopbackRequest &)> &answer,
                     const std::function<void(const LoopbackRequest &)> &served)
{
    auto *socket = new QTcpSocket(server);
    socket->setSocketDescriptor(descriptor);
    auto *buffer = new QByteArray;
    QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
        delete buffer;
        socket->deleteLater();
    });
    QObject::connect(socket, &QTcpSocket::readyRead, server, [socket, buffer, answer, served] {
        buffer->append(socket->readAll());
        const qsizetype headerEnd = buffer->indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        LoopbackRequest request;
        const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
        const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
        request.method = start.value(0);
        const QUrl target(QString::fromLatin1(start.value(1)));
        request.path = target.path();
        request.query = target.query();
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                       lines.at(i).mid(colon + 1).trimmed());
        }
        const int length = request.headers.value("content-length").toInt();
        if (buffer->size() < headerEnd + 4 + length)
            return;
        request.body = buffer->mid(headerEnd + 4, length);
        buffer->clear();
        socket->write(answer(request));
        socket->disconnectFromHost();
        if (served)
            served(request);
    });
}
