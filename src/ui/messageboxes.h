#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QObject;
class QWidget;

// How the program tells the user something and asks a Yes/No question. A run shows real boxes
// (ModalMessageBoxes); a test puts one in their place that records what would have been shown.
// Neither call blocks the caller: the event loop keeps running while a box is open.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // A modal box with one OK button. The text is plain text, so a preview of HTML markup shows
    // the markup. onClosed, when given, runs once the user has dismissed the box.
    virtual void showMessage(QWidget *parent, const QString &title, const QString &text,
                             QMessageBox::Icon icon = QMessageBox::NoIcon, std::function<void()> onClosed = {}) = 0;

    // A Yes/No question whose default answer is No. onYes runs later, once the user has answered
    // Yes, and only while receiver still exists.
    virtual void askYesNo(QWidget *parent, const QString &title, const QString &text, const QObject *receiver,
                          std::function<void()> onYes) = 0;
};
