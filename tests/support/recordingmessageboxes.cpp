#include "recordingmessageboxes.h"

void RecordingMessageBoxes::showMessage(QWidget *, const QString &title, const QString &text, QMessageBox::Icon,
                                        std::function<void()> onClosed)
{
    messages.append(title + QLatin1Char('|') + text);
    if (onMessage)
        onMessage(title, text);
    if (onClosed)
        onClosed();
}

void RecordingMessageBoxes::askYesNo(QWidget *, const QString &title, const QString &text, const QObject *,
                                     std::function<void()> onYes)
{
    questions.append(title + QLatin1Char('|') + text);
    if (answerYes)
        onYes();
}

void RecordingMessageBoxes::clear()
{
    messages.clear();
    questions.clear();
}
