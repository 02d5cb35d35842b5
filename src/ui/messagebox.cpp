#include "ui/messagebox.h"

namespace {
MessageHook &hook()
{
    static MessageHook instance;
    return instance;
}
} // namespace

void setMessageHookForTesting(MessageHook newHook)
{
    hook() = std::move(newHook);
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
