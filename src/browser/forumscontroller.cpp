#include "browser/forumscontroller.h"

#include "core/branding.h"
#include "app/mainwindow.h"
#include "ui/messagebox.h"
#include "browser/browsercontroller.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QWebEngineView>

ForumsController::ForumsController(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    // A "|" in the user name would split the stored line in the wrong place.
    m_form.txtUsername->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), m_form.txtUsername));

    connect(m_form.cmdAdd2, &QPushButton::clicked, this, &ForumsController::addCurrentUrl);
    connect(m_form.cmdDel2, &QPushButton::clicked, this, &ForumsController::removeSelected);
    connect(m_form.lstPosts2, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { selectForum(m_form.lstPosts2->row(item)); });
    connect(m_form.lstPosts2, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { openForum(m_form.lstPosts2->row(item)); });
    connect(m_form.txtUsername, &QLineEdit::textChanged, this, &ForumsController::storeLogin);
    connect(m_form.txtPassword, &QLineEdit::textChanged, this, &ForumsController::storeLogin);
}

void ForumsController::showForums()
{
    m_form.lstPosts2->clear();
    for (int i = 0; i < m_form.forumLogins.count(); ++i)
        m_form.lstPosts2->addItem(m_form.forumLogins.at(i).url);
}

void ForumsController::addCurrentUrl()
{
    const QString url = m_form.WebBrowser1->url().toString();
    if (!m_form.forumLogins.add(url))
        return;
    m_form.lstPosts2->addItem(url);
    const int row = m_form.forumLogins.count() - 1;
    m_form.lstPosts2->setCurrentRow(row);
    selectForum(row);
    m_filling = true;
    m_form.txtUsername->setText(QStringLiteral("Enter Username"));
    m_form.txtPassword->clear();
    m_filling = false;
    m_form.forumLogins.setLogin(row, m_form.txtUsername->text(), m_form.txtPassword->text());
    save();
}

void ForumsController::removeSelected()
{
    const int row = m_form.lstPosts2->currentRow();
    if (row < 0 || row >= m_form.forumLogins.count())
        return;
    m_form.forumLogins.remove(row);
    delete m_form.lstPosts2->takeItem(row);
    m_form.lstPosts2->setCurrentRow(-1);
    m_form.lstPosts2->clearSelection();
    save();
}

void ForumsController::selectForum(int row)
{
    if (row < 0 || row >= m_form.forumLogins.count())
        return;
    const ForumLogin &login = m_form.forumLogins.at(row);
    m_form.setPanelText(2, login.url);
    m_form.txtUsername->setEnabled(true);
    m_form.txtPassword->setEnabled(true);
    // Filling both boxes is one change, not two: the entry is stored once, with both texts.
    m_filling = true;
    m_form.txtUsername->setText(login.userName);
    m_form.txtPassword->setText(login.password);
    m_filling = false;
    storeLogin();
}

void ForumsController::openForum(int row)
{
    if (row >= 0 && row < m_form.forumLogins.count())
        m_form.browser().navigate(m_form.forumLogins.at(row).url);
}

void ForumsController::storeLogin()
{
    if (m_filling)
        return;
    // With no forum selected (after a removal) an edit has nowhere to go.
    const int row = m_form.lstPosts2->currentRow();
    if (row < 0 || row >= m_form.forumLogins.count())
        return;
    const ForumLogin &current = m_form.forumLogins.at(row);
    if (current.userName == m_form.txtUsername->text() && current.password == m_form.txtPassword->text())
        return;
    m_form.forumLogins.setLogin(row, m_form.txtUsername->text(), m_form.txtPassword->text());
    save();
}

void ForumsController::save()
{
    const QString error = m_form.forumLogins.save();
    if (!error.isEmpty())
        showMessage(&m_form, branding().programName, error, QMessageBox::Warning);
}
