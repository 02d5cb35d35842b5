#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWebEngineView;

// The "Browser" frame: the address bar, the navigation buttons, "No Popups" and the page view.
// Its controls keep their designed object names; docs/controls.md maps them to these members.
class BrowserPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit BrowserPanel(QWidget *parent);

    QLabel *addressLabel = nullptr;
    QLineEdit *addressBox = nullptr;
    QToolButton *goButton = nullptr;
    QToolButton *backButton = nullptr;
    QToolButton *forwardButton = nullptr;
    QToolButton *stopButton = nullptr;
    QToolButton *refreshButton = nullptr;
    QCheckBox *noPopupsBox = nullptr;
    QWebEngineView *view = nullptr;
};
