#pragma once

#include <QString>

// The address families of classic boards: how a thread, its later pages and a pointer to one of
// its posts are written, and how a post is anchored on the page.
//   MyBB   showthread.php?tid=N, &page=P, showthread.php?tid=N&pid=K#pidK; <a name="pidK"> <div id="post_K">
//   PhpBB  viewtopic.php?t=N, &start=20, viewtopic.php?p=K#pK; <div id="pK" class="post">
//   Smf    index.php?topic=N.0, index.php?topic=N.20, index.php?topic=N.msgK#msgK; <div id="msgK">
enum class ForumShape { MyBB, PhpBB, Smf };

// A reply composer as single-page boards have it: a panel that a button on the thread page opens
// without a load, its message box in no form, posted by script. None at first.
//   TextArea  a plain text area, focused as the panel opens
//   Editor    SCEditor in BBCode mode (from npm) built on that text area as the panel opens
enum class ClassicComposer { None, TextArea, Editor };

// A post as the board stores it: the text as it was sent.
struct ClassicForumPost
{
    int number = 0; // one sequence for the whole board
    int thread = 0;
    QString author;
    QString subject;
    QString message;
};

// A post the browser sent.
struct ClassicForumSubmission
{
    int post = 0; // its number; 0 when the board refused it
    int thread = 0;
    QString subject;
    QString message;    // as sent
    bool quick = false; // sent by the quick reply's script rather than a form
    QString sentTo;     // the absolute address the board sent the browser to; empty for a quick reply
    QString refusal;    // the board's reason when it refused the post
};
