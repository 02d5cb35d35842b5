#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class Skin;
class QStatusBar;
class QToolButton;
class QWebEngineProfile;
class QWebEngineView;

// A window with a browser of its own that shows the owner's web page while the main window stays
// usable. Navigation only: none of the form filling of the main window's browser.
class WebsiteWindow : public QWidget
{
    Q_OBJECT
public:
    // address: the page to open; the owner's web page when empty. The window's pages use profile,
    // so the logins made in the main window hold here too; it wears skin when that is on.
    WebsiteWindow(QWebEngineProfile *profile, Skin &skin, const QString &address = QString());

    // The window's load: caption, a trip to the front, the start page, maximized. Its normal
    // place, for when it is restored, is centred over owner.
    void open(const QWidget *owner = nullptr);
    void navigate(const QString &url);
    QString panelText(int panel) const; // panels 1 and 2

    QGroupBox *browserFrame = nullptr;
    QLabel *addressLabel = nullptr;
    QLineEdit *addressBox = nullptr;
    QToolButton *goButton = nullptr;
    QToolButton *backButton = nullptr;
    QToolButton *forwardButton = nullptr;
    QToolButton *stopButton = nullptr;
    QToolButton *refreshButton = nullptr;
    QWebEngineView *view = nullptr;
    QStatusBar *statusBar = nullptr;

Q_SIGNALS:
    // The user closed the window; it deletes itself next.
    void closed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyLayout();

    Skin &m_skin;
    QString m_address;
    QLabel *m_panel[2] = {};
};
