#include "browser/forumspanel.h"

#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"

#include <QLineEdit>
#include <QListView>

ForumsPanel::ForumsPanel(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Frame4"));
    setGeometry(twipsRect(DesignGeometry::frame4));
    addForumButton = makeButton(this, QStringLiteral("cmdAdd2"), tr("Add Current URL"), tr("Watch the current URL"),
                                twipsRect(60, 60, 1695, 495));
    removeForumButton =
        makeButton(this, QStringLiteral("cmdDel2"), tr("Remove URL"), tr("back"), twipsRect(1800, 60, 1695, 495));
    userNameLabel = makeLabel(this, QStringLiteral("Label3"), tr("Username:"), twipsRect(60, 600, 1095, 225));
    passwordLabel = makeLabel(this, QStringLiteral("Label4"), tr("Password:"), twipsRect(1800, 600, 1095, 225));
    userNameBox = makeControl<QLineEdit>(this, QStringLiteral("txtUsername"), twipsRect(60, 825, 1095, 285));
    pasteUserNameButton = makeButton(this, QStringLiteral("cmdPaste_1"), tr("Paste"),
                                     tr("Click within the Username field on the form you want to "
                                        "paste into, then click here."),
                                     twipsRect(1185, 825, 570, 285));
    passwordBox = makeControl<QLineEdit>(this, QStringLiteral("txtPassword"), twipsRect(1800, 825, 1095, 285));
    passwordBox->setEchoMode(QLineEdit::Password);
    pastePasswordButton = makeButton(this, QStringLiteral("cmdPaste_2"), tr("Paste"),
                                     tr("Click within the Password field on the form you want to "
                                        "paste into, then click here."),
                                     twipsRect(2925, 825, 570, 285));
    userNameBox->setEnabled(false);
    passwordBox->setEnabled(false);
    forumList = makeControl<QListView>(this, QStringLiteral("lstPosts2"), twipsRect(DesignGeometry::lstPosts2));
    // The labels name their boxes for a screen reader.
    userNameLabel->setBuddy(userNameBox);
    passwordLabel->setBuddy(passwordBox);
}
