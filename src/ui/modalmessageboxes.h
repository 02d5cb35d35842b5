#pragma once

#include "ui/messageboxes.h"

// The boxes a run shows: QMessageBoxes, opened without a nested event loop.
class ModalMessageBoxes : public MessageBoxes
{
public:
    void showMessage(QWidget *parent, const QString &title, const QString &text,
                     QMessageBox::Icon icon = QMessageBox::NoIcon, std::function<void()> onClosed = {}) override;
    void askYesNo(QWidget *parent, const QString &title, const QString &text, const QObject *receiver,
                  std::function<void()> onYes) override;
};
