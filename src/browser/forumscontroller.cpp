#include "browser/forumscontroller.h"

#include "browser/forumloginlist.h"
#include "browser/forumspanel.h"
#include "browser/pagenavigator.h"
#include "browser/passwordkeeper.h"
#include "core/branding.h"
#include "ui/command.h"
#include "ui/listrows.h"
#include "ui/messageboxes.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpressionValidator>

ForumsController::ForumsController(ForumsPanel &panel, ForumLoginList &logins, PageNavigator &browser,
                                   MessageBoxes &boxes, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_logins(logins)
    , m_browser(browser)
    , m_boxes(boxes)
{
    // A "|" in the user name would split the stored line in the wrong place.
    m_panel.userNameBox->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), m_panel.userNameBox));

    m_addForum = makeCommand(this, tr("Add Current URL"));
    m_removeForum = makeCommand(this, tr("Remove URL"));
    connect(m_addForum, &QAction::triggered, this, &ForumsController::addCurrentUrl);
    connect(m_removeForum, &QAction::triggered, this, &ForumsController::removeSelected);
    triggerOnClick(m_panel.addForumButton, m_addForum);
    triggerOnClick(m_panel.removeForumButton, m_removeForum);
    m_pasteUserName = makeCommand(this, tr("Paste Username"));
    m_pastePassword = makeCommand(this, tr("Paste Password"));
    connect(m_pasteUserName, &QAction::triggered, this, &ForumsController::pasteUserName);
    connect(m_pastePassword, &QAction::triggered, this, &ForumsController::pastePassword);
    triggerOnClick(m_panel.pasteUserNameButton, m_pasteUserName);
    triggerOnClick(m_panel.pastePasswordButton, m_pastePassword);
    m_panel.forumList->setModel(&m_logins);
    auto *rows = new ListRows(m_panel.forumList);
    connect(rows, &ListRows::rowChosen, this, &ForumsController::selectForum);
    connect(rows, &ListRows::rowActivated, this, &ForumsController::openForum);
    connect(m_panel.userNameBox, &QLineEdit::textChanged, this, &ForumsController::storeLogin);
    connect(m_panel.passwordBox, &QLineEdit::textChanged, this, &ForumsController::storeLogin);
}

void ForumsController::pasteUserName()
{
    Q_EMIT pasteRequested(m_panel.userNameBox->text());
}

void ForumsController::pastePassword()
{
    // In clear text: the page's own box hides it.
    Q_EMIT pasteRequested(m_panel.passwordBox->text());
}

void ForumsController::addCurrentUrl()
{
    const QString url = m_browser.currentUrl().toString();
    if (!m_logins.add(url))
        return;
    const int row = m_logins.count() - 1;
    m_panel.forumList->setCurrentIndex(m_logins.index(row)); // shows the new forum through selectForum
    m_filling = true;
    m_panel.userNameBox->setText(tr("Enter Username"));
    m_panel.passwordBox->clear();
    m_filling = false;
    m_logins.setLogin(row, m_panel.userNameBox->text(), m_panel.passwordBox->text());
    save();
}

void ForumsController::removeSelected()
{
    const int row = ListRows::chosenRow(m_panel.forumList);
    if (row < 0 || row >= m_logins.count())
        return;
    const QString url = m_logins.at(row).url;
    m_boxes.askYesNo(m_panel.window(), branding().programName, tr("Remove this forum and its login?\n\n%1").arg(url),
                     this, [this, url] { removeForum(url); });
}

void ForumsController::removeForum(const QString &url)
{
    // Found again by its address: the list may have changed while the question was open.
    int row = 0;
    while (row < m_logins.count() && m_logins.at(row).url != url)
        ++row;
    if (row == m_logins.count())
        return;
    // Nothing stays chosen, and the boxes keep their texts: let go of the row before taking it
    // out, or the list would choose its neighbour.
    m_panel.forumList->setCurrentIndex(QModelIndex());
    m_panel.forumList->clearSelection();
    const ForumLogin removed = m_logins.at(row);
    m_logins.remove(row);
    save();
    if (m_keeper)
        m_keeper->forumRemoved(removed);
}

void ForumsController::selectForum(int row)
{
    if (row < 0 || row >= m_logins.count())
        return;
    const ForumLogin &login = m_logins.at(row);
    Q_EMIT statusText(StatusPanel::Activity, login.url);
    m_panel.userNameBox->setEnabled(true);
    m_panel.passwordBox->setEnabled(true);
    // Filling both boxes is one change, not two: the entry is stored once, with both texts.
    m_filling = true;
    m_panel.userNameBox->setText(login.userName);
    m_panel.passwordBox->setText(login.password);
    m_filling = false;
    storeLogin();
}

void ForumsController::openForum(int row)
{
    if (row >= 0 && row < m_logins.count())
        m_browser.navigate(m_logins.at(row).url);
}

void ForumsController::storeLogin()
{
    if (m_filling)
        return;
    // With no forum chosen (after a removal) an edit has nowhere to go.
    const int row = ListRows::chosenRow(m_panel.forumList);
    if (row < 0 || row >= m_logins.count())
        return;
    const ForumLogin &current = m_logins.at(row);
    if (current.userName == m_panel.userNameBox->text() && current.password == m_panel.passwordBox->text())
        return;
    const QString userName = m_panel.userNameBox->text();
    const QString password = m_panel.passwordBox->text();
    const ForumLogin before = current;
    if (!m_logins.setLogin(row, userName, password)) {
        m_boxes.showMessage(m_panel.window(), branding().programName, ForumLoginList::loginProblem(userName, password),
                            QMessageBox::Warning);
        return;
    }
    save();
    if (m_keeper)
        m_keeper->loginChanged(row, before);
}

void ForumsController::setPasswordKeeper(PasswordKeeper *keeper)
{
    m_keeper = keeper;
    connect(keeper, &PasswordKeeper::passwordsRestored, this, [this] {
        const int row = ListRows::chosenRow(m_panel.forumList);
        if (row >= 0 && m_panel.userNameBox->isEnabled())
            selectForum(row);
    });
}

void ForumsController::save()
{
    const QString error = m_logins.save();
    if (!error.isEmpty())
        m_boxes.showMessage(m_panel.window(), branding().programName, error, QMessageBox::Warning);
}
