#pragma once

#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QTimer>

// The cookies the embedded browser holds, kept so the page-size probe can send them: a thread
// visible only to members is measured as the members see it, not as its "please log in" page.
// The browser's cookie store feeds it (addCookie and removeCookie take the cookies its store
// reports as added and removed); which cookies go with an address is decided by
// QNetworkCookieJar's rules: domain and path match, Secure ones only over https, expired ones
// never.
class BrowserCookieJar : public QNetworkCookieJar
{
    Q_OBJECT
public:
    explicit BrowserCookieJar(QObject *parent = nullptr);
    ~BrowserCookieJar() override;

    void addCookie(const QNetworkCookie &cookie);
    void removeCookie(const QNetworkCookie &cookie);
    void clear();

    // The browser's cookie store tells of changes only, never of the cookies it already keeps
    // when the program starts. So the jar keeps a copy of its own in file (one cookie a line,
    // readable by its owner only), read here and rewritten shortly after every change. Without a
    // file nothing is kept.
    void keepIn(const QString &file);
    // Writes a pending change now (at shutdown).
    void saveNow();
    int count() const { return int(allCookies().size()); }

    // The value of the "Cookie:" line for url ("a=1; b=2"), empty when no cookie goes there.
    // A cookie whose name or value could break the request line is left out.
    QByteArray cookieHeader(const QUrl &url) const;

private:
    void changed();

    QString m_file;
    QTimer m_save;
};
