#pragma once

#include "ui/messageboxes.h"

#include <QStringList>

// Stands in for the message boxes in tests: records every message and question instead of showing
// it, answers every question as answerYes says, and carries on at once, as a user who dismissed
// the box would.
class RecordingMessageBoxes : public MessageBoxes
{
public:
    void showMessage(QWidget *parent, const QString &title, const QString &text,
                     QMessageBox::Icon icon = QMessageBox::NoIcon, std::function<void()> onClosed = {}) override;
    void askYesNo(QWidget *parent, const QString &title, const QString &text, const QObject *receiver,
                  std::function<void()> onYes) override;
    // Forgets what was recorded.
    void clear();

    // Every message and every question so far, each as "title|text".
    QStringList messages;
    QStringList questions;
    bool answerYes = true;
    // Runs as each message comes, before the box counts as dismissed (a test that looks at the
    // screen as the box would open).
    std::function<void(const QString &title, const QString &text)> onMessage;
};
