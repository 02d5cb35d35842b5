#pragma once

#include "browser/browserpage.h"

#include <QWidget>

class QWebEngineView;

// The window a page opens for itself when pop-ups are allowed. It lives until the user closes it,
// also after the main window is gone.
class PopupWindow : public QWidget
{
    Q_OBJECT
public:
    PopupWindow(QWebEngineProfile *profile, BrowserPage::PopupPolicy popupsAllowed);

    QWebEnginePage *page() const;
    QWebEngineView *view() const { return m_view; }

private:
    QWebEngineView *m_view = nullptr;
};
