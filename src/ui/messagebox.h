#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QObject;
class QWidget;

// Shows a modal message box with one OK button. The text is plain text, so a preview of HTML
// markup shows the markup. The box does not block the caller: the event loop keeps running.
// onClosed, when given, runs once the user has dismissed the box.
void showMessage(QWidget *parent, const QString &title, const QString &text,
                 QMessageBox::Icon icon = QMessageBox::NoIcon, std::function<void()> onClosed = {});

// Tests: while a hook is set, boxes are handed to it instead of being shown.
using MessageHook = std::function<void(const QString &title, const QString &text)>;
void setMessageHookForTesting(MessageHook hook);

// Asks a Yes/No question in a modal box whose default answer is No. Like showMessage it does not
// block: onYes runs later, once the user has answered Yes, and only while receiver still exists.
void askYesNo(QWidget *parent, const QString &title, const QString &text, const QObject *receiver,
              std::function<void()> onYes);

// Tests: while a hook is set, questions are handed to it and its result is the answer (true = Yes).
using QuestionHook = std::function<bool(const QString &title, const QString &text)>;
void setQuestionHookForTesting(QuestionHook hook);
