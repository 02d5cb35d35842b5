#pragma once

#include <QWebEnginePage>

#include <functional>

// A page that asks before it opens a new window: when the answer is no, the request is refused and
// nothing opens; when yes, the new page gets a small browser window of its own.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    using PopupPolicy = std::function<bool()>;
    BrowserPage(QWebEngineProfile *profile, PopupPolicy popupsAllowed, QObject *parent = nullptr);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    // Forum pages' own script errors are theirs, not the program's: keep them off our output.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}

private:
    PopupPolicy m_popupsAllowed;
};
