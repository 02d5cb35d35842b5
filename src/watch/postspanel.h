#pragma once

#include "watch/postsview.h"

#include <QGroupBox>

class QListView;
class QPushButton;
class QTabBar;

// The "Your Posts" page: the watched posts, and the posts found with new replies.
// Its controls keep their designed object names; docs/controls.md maps them to these members.
class PostsPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit PostsPanel(QWidget *parent);

    // Where each view's tab is in postsTabs; every tab carries its view.
    int tabOf(PostsView view) const;
    PostsView viewOfTab(int tab) const;

    QPushButton *watchButton = nullptr;
    QPushButton *removeWatchButton = nullptr;
    QTabBar *postsTabs = nullptr;
    QPushButton *checkRepliesButton = nullptr;
    QListView *postList = nullptr;
    QListView *newRepliesList = nullptr;
};
