#pragma once

#include <QStringList>
#include <QWidget>

class MessageBoxes;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

// "load a saved message": lists the lines of messages.txt as stored, shows one in full when
// clicked, hands one to the editor when double-clicked and deletes the selected one. Closing the
// window discards it, so the next opening reads the file afresh.
class SavedMessagesWindow : public QWidget
{
    Q_OBJECT
public:
    // file: messages.txt; its notices and questions go through boxes.
    SavedMessagesWindow(const QString &file, MessageBoxes &boxes, QWidget *parent = nullptr);

    // One list entry per line, empty lines included, in file order.
    void setEntries(const QStringList &lines);

    // Choosing an entry (click or keys), activating it (double-click or Enter) and the delete
    // button, which asks first.
    void viewEntry(int row);
    void loadEntry(int row);
    void deleteSelectedEntry();

    QListWidget *messageList = nullptr;
    QPlainTextEdit *messageView = nullptr;
    QLineEdit *subjectBox = nullptr;
    QPushButton *deleteButton = nullptr;

signals:
    // A double-clicked entry with message text; subject only counts when hasSubject is set.
    void messageChosen(const QString &message, const QString &subject, bool hasSubject);

private:
    // Removes every line equal to entry from messages.txt and lists the file again.
    void deleteEntry(const QString &entry);
    void notify(const QString &text);

    QString m_file;
    MessageBoxes &m_boxes;
};
