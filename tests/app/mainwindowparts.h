#pragma once

// What a test of the main window works on, found among the window's children the way anything
// outside the window finds them: a control by its object name, an area's controller by its type
// (the window has one of each).

#include "app/keyringoption.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumscontroller.h"
#include "browser/forumspanel.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "watch/postspanel.h"
#include "watch/watchcontroller.h"

#include <QPushButton>
#include <QTabBar>
#include <QtGlobal>

// The window's one child of type Part; a window without one ends the test run.
template<class Part> Part &part(const QObject &window)
{
    Part *found = window.findChild<Part *>();
    if (!found)
        qFatal("the window has no %s", Part::staticMetaObject.className());
    return *found;
}

inline MessageEditorPanel *editorPanel(const QObject &window)
{
    return window.findChild<MessageEditorPanel *>(QStringLiteral("Frame1"));
}

inline BrowserPanel *browserPanel(const QObject &window)
{
    return window.findChild<BrowserPanel *>(QStringLiteral("Frame2"));
}

inline PostsPanel *postsPanel(const QObject &window)
{
    return window.findChild<PostsPanel *>(QStringLiteral("Frame3"));
}

inline ForumsPanel *forumsPanel(const QObject &window)
{
    return window.findChild<ForumsPanel *>(QStringLiteral("Frame4"));
}

inline QPushButton *visitButton(const QObject &window)
{
    return window.findChild<QPushButton *>(QStringLiteral("Command1"));
}

// "Your Forums" / "Your Posts"
inline QTabBar *pageTabs(const QObject &window)
{
    return window.findChild<QTabBar *>(QStringLiteral("TabStrip2"));
}
