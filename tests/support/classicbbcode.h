#pragma once

#include <QString>
#include <QStringList>

// A post's text as a classic bulletin board prints it: its strict BBCode parser links
// [url]T[/url] and [url=T]V[/url] (a target without "scheme://" gets "http://" put in front,
// whatever it says: "mailto:a@b" becomes "http://mailto:a@b"), keeps every character of the
// target and percent-encodes it as the browser would ("page " becomes "page%20"), links
// [email]a@b.example[/email] and [email=a@b.example]V[/email] as mailto: when the address is
// one; everything else is HTML-escaped text, its line breaks <br />.
struct ClassicBbcode
{
    QString html;
    QStringList links; // every link target in html, in order, as the browser resolves it

    static ClassicBbcode parse(const QString &message);
};
