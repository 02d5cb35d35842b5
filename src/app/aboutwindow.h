#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class Skin;

// The About window: program name, version, owner and website. Clicking the website opens the
// secondary browser window, which the main window provides through websiteClicked().
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    // It wears skin when that is on.
    explicit AboutWindow(Skin &skin, QWidget *owner = nullptr);

    QLabel *picture = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *versionCaption = nullptr;
    QLabel *ownerCaption = nullptr;
    QLabel *websiteCaption = nullptr;
    QLabel *versionLabel = nullptr;
    QLabel *companyLabel = nullptr;
    QLabel *websiteLabel = nullptr;

Q_SIGNALS:
    void websiteClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// "major.minor", each as a plain decimal number.
QString versionText(int major, int minor);

// Opens the About window, or brings forward the one open holds; open then holds the window shown.
// openWebsite runs when the user clicks the website.
AboutWindow *showAboutWindow(QPointer<AboutWindow> &open, Skin &skin, QWidget *owner,
                             std::function<void()> openWebsite);
