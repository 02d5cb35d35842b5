#include "ui/messagebox.h"

namespace {
MessageHook &hook()
{
    static MessageHook instance;
    return instance;
}

QuestionHook &questionHook()
{
    static QuestionHook instance;
    return instance;
}
} // namespace

void setMessageHookForTesting(MessageHook newHook)
{
    hook() = std::move(newHook);
}

void setQuestionHookForTesting(QuestionHook newHook)
{
    questionHook() = std::move(newHook);
}

void showMessage(QWidget *parent, const QString &title, const QString &text, QMessageBox::Icon icon,
                 std::function<void()> onClosed)
{
    if (hook()) {
        hook()(title, text);
        if (onClosed)
            onClosed();
        return;
    }
    auto *box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    if (onClosed)
        QObject::connect(box, &QMessageBox::finished, box, [onClosed](int) { onClosed(); });
    box->show();
}

void askYesNo(QWidget *parent, const QString &title, const QString &text, const QObject *receiver,
              std::function<void()> onYes)
{
    if (questionHook()) {
        if (questionHook()(title, text))
            onYes();
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // With receiver as the context the answer is dropped if receiver has gone in the meantime.
    QObject::connect(box, &QMessageBox::finished, receiver, [box, onYes](int) {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            onYes();
    });
    box->open();
}
