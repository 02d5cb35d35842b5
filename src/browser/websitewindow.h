#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class QWebEngineView;

// A window with a browser of its own that shows the owner's web page while the main window stays
// usable. Navigation only: none of the form filling of the main window's browser.
class WebsiteWindow : public QWidget
{
    Q_OBJECT
public:
    // address: the page to open; the owner's web page when empty.
    explicit WebsiteWindow(const QString &address = QString());

    // The window's load: caption, a trip to the front, the start page, maximized.
    void open();
    void navigate(const QString &url);
    QString panelText(int panel) const; // panels 1 and 2

    QGroupBox *frmBrowser = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QToolButton *Command3 = nullptr;
    QToolButton *Command4 = nullptr;
    QToolButton *Command5 = nullptr;
    QToolButton *Command6 = nullptr;
    QToolButton *Command7 = nullptr;
    QWebEngineView *WebBrowser1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyLayout();

    QString m_address;
    QLabel *m_panel[2] = {};
};
