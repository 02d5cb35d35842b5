#include "compose/savedmessageswindow.h"

#include "compose/savedmessagelist.h"
#include "core/branding.h"
#include "ui/accessibility.h"
#include "ui/editortext.h"
#include "ui/listrows.h"
#include "ui/messageboxes.h"
#include "ui/placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SavedMessagesWindow::SavedMessagesWindow(SavedMessageList &messages, MessageBoxes &boxes, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_messages(messages)
    , m_boxes(boxes)
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

    messageList = new QListView(this);
    messageList->setObjectName(QStringLiteral("List1"));
    messageList->setModel(&m_messages);
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

void SavedMessagesWindow::viewEntry(int row)
{
    if (m_messages.line(row).isEmpty())
        return;
    const SavedMessage saved = m_messages.message(row);
    setEditorText(messageView, saved.message);
    if (saved.hasSubject)
        subjectBox->setText(saved.subject);
}

void SavedMessagesWindow::loadEntry(int row)
{
    if (row < 0 || row >= m_messages.count())
        return;
    const SavedMessage saved = m_messages.message(row);
    if (saved.message.isEmpty()) {
        notify(tr("cannot insert a blank message"));
        return;
    }
    emit messageChosen(saved.message, saved.subject, saved.hasSubject);
}

void SavedMessagesWindow::deleteSelectedEntry()
{
    const int row = ListRows::chosenRow(messageList);
    if (row < 0 || row >= m_messages.count())
        return;
    const QString entry = m_messages.line(row);
    m_boxes.askYesNo(this, branding().programName, tr("Delete this saved message?\n\n%1").arg(entry), this,
                     [this, entry] { deleteEntry(entry); });
}

void SavedMessagesWindow::deleteEntry(const QString &entry)
{
    const QString error = m_messages.remove(entry);
    if (!error.isEmpty())
        m_boxes.showMessage(this, branding().programName, error, QMessageBox::Warning);
}

void SavedMessagesWindow::notify(const QString &text)
{
    m_boxes.showMessage(this, branding().programName, text);
}
