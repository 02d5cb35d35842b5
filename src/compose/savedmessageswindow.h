#pragma once

#include <QStringList>
#include <QWidget>

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
    explicit SavedMessagesWindow(QWidget *parent = nullptr);

    // One list entry per line, empty lines included, in file order.
    void setEntries(const QStringList &lines);

    // Clicking, double-clicking and the delete button, by entry position.
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
    void notify(const QString &text);
};
