#include "browser/browsercontroller.h"

#include "app/mainwindow.h"

#include <QUrl>
#include <QWebEngineView>

BrowserController::BrowserController(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
}

void BrowserController::autoInsertMessage()
{
}
void BrowserController::pasteIntoPage(int)
{
}
void BrowserController::openWebsiteWindow()
{
}

bool BrowserController::websiteWindowVisible() const
{
    return false;
}

void BrowserController::armPostCheck(int)
{
}

void BrowserController::navigate(const QString &url)
{
    m_form.WebBrowser1->load(QUrl::fromUserInput(url));
}
