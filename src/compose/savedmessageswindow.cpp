#include "compose/savedmessageswindow.h"

#include "core/branding.h"
#include "ui/editortext.h"
#include "ui/messagebox.h"
#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form3::Form3(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("load a saved message"));
    resize(420, 460);

    auto *heading = new QLabel(QStringLiteral("Saved Messages"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtSubject = new QLineEdit(this);
    txtSubject->setObjectName(QStringLiteral("txtSubject"));
    txtSubject->setReadOnly(true);
    Command1 = new QPushButton(QStringLiteral("delete message"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(QStringLiteral("double-click the message you wish to load:"), this));
    layout->addWidget(List1, 2);
    layout->addWidget(new QLabel(QStringLiteral("click once to view the entire message"), this));
    layout->addWidget(Text1, 3);
    auto *subjectRow = new QHBoxLayout;
    subjectRow->addWidget(new QLabel(QStringLiteral("Subject:"), this));
    subjectRow->addWidget(txtSubject, 1);
    layout->addLayout(subjectRow);
    layout->addWidget(Command1, 0, Qt::AlignRight);

    connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { viewEntry(List1->row(item)); });
    connect(List1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { loadEntry(List1->row(item)); });
    connect(Command1, &QPushButton::clicked, this, &Form3::deleteSelectedEntry);
}

void Form3::setEntries(const QStringList &lines)
{
    List1->clear();
    List1->addItems(lines);
}

void Form3::viewEntry(int row)
{
    const QListWidgetItem *item = List1->item(row);
    if (!item || item->text().isEmpty())
        return;
    const SavedMessage saved = parseSavedMessageLine(item->text());
    setEditorText(Text1, saved.message);
    if (saved.hasSubject)
        txtSubject->setText(saved.subject);
}

void Form3::loadEntry(int row)
{
    const QListWidgetItem *item = List1->item(row);
    if (!item)
        return;
    const SavedMessage saved = parseSavedMessageLine(item->text());
    if (saved.message.isEmpty()) {
        notify(QStringLiteral("cannot insert a blank message"));
        return;
    }
    emit messageChosen(saved.message, saved.subject, saved.hasSubject);
}

void Form3::deleteSelectedEntry()
{
    const QListWidgetItem *item = List1->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString error = deleteSavedMessage(item->text());
    if (!error.isEmpty()) {
        showMessage(this, branding().programName, error, QMessageBox::Warning);
        return;
    }
    const SavedMessageLines read = readSavedMessages();
    if (read.status == SavedMessageLines::Unreadable)
        showMessage(this, branding().programName, read.error, QMessageBox::Warning);
    setEntries(read.lines);
}

void Form3::notify(const QString &text)
{
    showMessage(this, branding().programName, text);
}
