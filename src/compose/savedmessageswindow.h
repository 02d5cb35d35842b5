#pragma once

#include <QWidget>

class MessageBoxes;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class SavedMessageList;

// "load a saved message": shows the saved messages, one in full when clicked, hands one to the
// editor when double-clicked and has the list delete the selected one. Closing the window
// discards it; whoever opens it again has the list read the file afresh first.
class SavedMessagesWindow : public QWidget
{
    Q_OBJECT
public:
    // Its notices and questions go through boxes.
    SavedMessagesWindow(SavedMessageList &messages, MessageBoxes &boxes, QWidget *parent = nullptr);

    // Choosing an entry (click or keys), activating it (double-click or Enter) and the delete
    // button, which asks first.
    void viewEntry(int row);
    void loadEntry(int row);
    void deleteSelectedEntry();

    QListView *messageList = nullptr;
    QPlainTextEdit *messageView = nullptr;
    QLineEdit *subjectBox = nullptr;
    QPushButton *deleteButton = nullptr;

signals:
    // A double-clicked entry with message text; subject only counts when hasSubject is set.
    void messageChosen(const QString &message, const QString &subject, bool hasSubject);

private:
    void deleteEntry(const QString &entry);
    void notify(const QString &text);

    SavedMessageList &m_messages;
    MessageBoxes &m_boxes;
};
