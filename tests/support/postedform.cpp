#include "postedform.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

QHash<QString, QString> encodedFields(const QByteArray &encoded)
{
    QHash<QString, QString> fields;
    for (QByteArray pair : encoded.split('&')) {
        if (pair.isEmpty())
            continue;
        pair.replace('+', ' ');
        const qsizetype equals = pair.indexOf('=');
        fields.insert(QUrl::fromPercentEncoding(equals < 0 ? pair : pair.left(equals)),
                      equals < 0 ? QString() : QUrl::fromPercentEncoding(pair.mid(equals + 1)));
    }
    return fields;
}

QHash<QString, QString> multipartFields(const QByteArray &body, const QByteArray &boundary)
{
    static const QRegularExpression named(QStringLiteral("name=\"([^\"]*)\""));
    QHash<QString, QString> fields;
    const QByteArray separator = "--" + boundary;
    qsizetype at = body.indexOf(separator);
    while (at >= 0) {
        const qsizetype start = at + separator.size() + 2; // past the separator's CR LF
        const qsizetype next = body.indexOf("\r\n" + separator, start);
        if (next < 0)
            break;
        const QByteArray part = body.mid(start, next - start);
        const qsizetype headerEnd = part.indexOf("\r\n\r\n");
        if (headerEnd >= 0) {
            const QRegularExpressionMatch name = named.match(QString::fromUtf8(part.left(headerEnd)));
            if (name.hasMatch())
                fields.insert(name.captured(1), QString::fromUtf8(part.mid(headerEnd + 4)));
        }
        at = next + 2;
    }
    return fields;
}

} // namespace

QHash<QString, QString> postedFields(const LoopbackRequest &request)
{
    const QByteArray type = request.headers.value("content-type");
    const qsizetype boundary = type.indexOf("boundary=");
    if (type.startsWith("multipart/form-data") && boundary >= 0) {
        QByteArray separator = type.mid(boundary + 9).trimmed();
        if (separator.startsWith('"') && separator.endsWith('"'))
            separator = separator.mid(1, separator.size() - 2);
        return multipartFields(request.body, separator);
    }
    return encodedFields(request.body);
}
