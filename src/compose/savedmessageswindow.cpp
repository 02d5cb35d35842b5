#include "compose/savedmessageswindow.h"

#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"
#include "core/branding.h"
#include "ui/accessibility.h"
#include "ui/editortext.h"
#include "ui/listrows.h"
#include "ui/messagebox.h"
#include "ui/placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SavedMessagesWindow::SavedMessagesWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("load a saved message"));
    resize(420, 460);
    closeOnEscape(this);

    auto *heading = new QLabel(tr("Saved Messages"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);

    messageList = new QListWidget(this);
    messageList->setObjectName(QStringLiteral("List1"));
    messageView = new QPlainTextEdit(this);
    messageView->setObjectName(QStringLiteral("Text1"));
    messageView->setReadOnly(true);
    messageView->setTabChangesFocus(true);
    messageView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    subjectBox = new QLineEdit(this);
    subjectBox->setObjectName(QStringLiteral("txtSubject"));
    subjectBox->setReadOnly(true);
    deleteButton = new QPushButton(tr("delete message"), this);
    deleteButton->setObjectName(QStringLiteral("Command1"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(tr("double-click the message you wish to load:"), this));
    layout->addWidget(messageList, 2);
    layout->addWidget(new QLabel(tr("click once to view the entire message"), this));
    layout->addWidget(messageView, 3);
    auto *subjectRow = new QHBoxLayout;
    auto *subjectLabel = new QLabel(tr("Subject:"), this);
    subjectLabel->setBuddy(subjectBox); // names the box for a screen reader
    subjectRow->addWidget(subjectLabel);
    subjectRow->addWidget(subjectBox, 1);
    layout->addLayout(subjectRow);
    layout->addWidget(deleteButton, 0, Qt::AlignRight);

    auto *rows = new ListRows(messageList);
    connect(rows, &ListRows::rowChosen, this, &SavedMessagesWindow::viewEntry);
    connect(rows, &ListRows::rowActivated, this, &SavedMessagesWindow::loadEntry);
    connect(deleteButton, &QPushButton::clicked, this, &SavedMessagesWindow::deleteSelectedEntry);
    applyAccessibleNames(this);
}

void SavedMessagesWindow::setEntries(const QStringList &lines)
{
    messageList->clear();
    messageList->addItems(lines);
}

void SavedMessagesWindow::viewEntry(int row)
{
    const QListWidgetItem *item = messageList->item(row);
    if (!item || item->text().isEmpty())
        return;
    const SavedMessage saved = parseSavedMessageLine(item->text());
    setEditorText(messageView, saved.message);
    if (saved.hasSubject)
        subjectBox->setText(saved.subject);
}

void SavedMessagesWindow::loadEntry(int row)
{
    const QListWidgetItem *item = messageList->item(row);
    if (!item)
        return;
    const SavedMessage saved = parseSavedMessageLine(item->text());
    if (saved.message.isEmpty()) {
        notify(tr("cannot insert a blank message"));
        return;
    }
    emit messageChosen(saved.message, saved.subject, saved.hasSubject);
}

void SavedMessagesWindow::deleteSelectedEntry()
{
    const QListWidgetItem *item = messageList->item(ListRows::chosenRow(messageList));
    if (!item)
        return;
    const QString entry = item->text();
    askYesNo(this, branding().programName, tr("Delete this saved message?\n\n%1").arg(entry), this,
             [this, entry] { deleteEntry(entry); });
}

void SavedMessagesWindow::deleteEntry(const QString &entry)
{
    const QString error = deleteSavedMessage(entry);
    if (!error.isEmpty()) {
        showMessage(this, branding().programName, error, QMessageBox::Warning);
        return;
    }
    const SavedMessageLines read = readSavedMessages();
    if (read.status == SavedMessageLines::Unreadable)
        showMessage(this, branding().programName, read.error, QMessageBox::Warning);
    setEntries(read.lines);
}

void SavedMessagesWindow::notify(const QString &text)
{
    showMessage(this, branding().programName, text);
}
