#include "ui/modalmessageboxes.h"

#include "ui/ontop.h"

namespace {
// A box the user must answer is never hidden under a window that stays on top (the help window).
void keepAboveOnTopWindows(QMessageBox *box)
{
    if (anyWindowStaysOnTop())
        box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}
} // namespace

void ModalMessageBoxes::showMessage(QWidget *parent, const QString &title, const QString &text, QMessageBox::Icon icon,
                                    std::function<void()> onClosed)
{
    auto *box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    keepAboveOnTopWindows(box);
    if (onClosed)
        QObject::connect(box, &QMessageBox::finished, box, [onClosed](int) { onClosed(); });
    box->show();
}

void ModalMessageBoxes::askYesNo(QWidget *parent, const QString &title, const QString &text, const QObject *receiver,
                                 std::function<void()> onYes)
{
    auto *box = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    keepAboveOnTopWindows(box);
    // With receiver as the context the answer is dropped if receiver has gone in the meantime.
    QObject::connect(box, &QMessageBox::finished, receiver, [box, onYes](int) {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            onYes();
    });
    box->open();
}
