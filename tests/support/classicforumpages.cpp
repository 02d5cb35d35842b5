#include "classicforumpages.h"

#include "classicbbcode.h"
#include "classicforumaddresses.h"

namespace {

const QByteArray boardName = "Loopback Community Board";

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray number(int value)
{
    return QByteArray::number(value);
}

// An address written into an attribute.
QByteArray href(const QString &path)
{
    return escaped(path.mid(1)); // the board links relative to its own folder
}

// The theme's style sheet, which the board prints into every page's head.
const char styleSheet[] = R"(<style type="text/css">
body { background: #fff; color: #333; text-align: center; line-height: 1.4; margin: 0;
  font-family: Tahoma, Verdana, Arial, Sans-Serif; font-size: 13px; overflow-y: scroll; }
a:link, a:visited { color: #0072BC; text-decoration: none; }
#container { text-align: left; }
.float_left { float: left; }
.float_right { float: right; }
.clear { clear: both; }
.wrapper { width: 85%; min-width: 970px; max-width: 1500px; margin: auto auto; }
#logo { background: #fff; padding: 10px 0; border-bottom: 1px solid #263c30; }
#content { background: #fff; width: auto !important; padding: 20px 10px; overflow: hidden; }
#header ul.menu { margin: 0; padding: 0; list-style: none; }
#header ul.menu li { margin: 0 7px; display: inline; }
#panel .upper { background: #0f0f0f; color: #fff; border-top: 1px solid #444; border-bottom: 1px solid #000;
  padding: 7px; clear: both; }
#panel .upper a.logout { font-weight: bold; padding-right: 20px; margin-left: 10px; }
#panel .lower { background: #efefef; color: #999; border-top: 1px solid #fff; border-bottom: 1px solid #ccc;
  padding: 5px; }
#footer { clear: both; }
#footer ul.menu { margin: 0; padding: 0; list-style: none; }
#footer .upper { background: #efefef; border-top: 1px solid #bbb; border-bottom: 1px solid #bbb; padding: 6px;
  font-size: 12px; overflow: hidden; }
#footer .lower { color: #666; padding: 6px 6px 12px 6px; overflow: hidden; font-size: 11px; }
.tborder { background: #fff; width: 100%; margin: auto auto; border: 1px solid #ccc; padding: 1px; }
.thead { background: #0066a2; color: #fff; border-bottom: 1px solid #263c30; padding: 8px; }
.tcat { background: #0f0f0f; color: #fff; border-top: 1px solid #444; border-bottom: 1px solid #000;
  padding: 6px; font-size: 12px; }
.trow1 { background: #f5f5f5; border: 1px solid; border-color: #fff #ddd #ddd #fff; }
.trow2 { background: #efefef; border: 1px solid; border-color: #fff #ddd #ddd #fff; }
input.textbox { background: #fff; color: #333; border: 1px solid #ccc; padding: 3px; outline: 0; font-size: 13px; }
textarea { background: #fff; color: #333; border: 1px solid #ccc; padding: 2px; line-height: 1.4; outline: 0;
  font-size: 13px; }
.pagination { font-size: 11px; padding-top: 10px; margin-bottom: 5px; }
.pagination a { padding: 3px 6px; border: 1px solid #ccc; background: #f5f5f5; }
.post .post_author { border-bottom: 1px solid #ccc; border-top: 2px solid #ccc; background: #f5f5f5;
  padding: 5px; overflow: hidden; }
.post .post_author div.author_information { float: left; padding: 6px 8px; }
.post .post_author div.author_statistics { float: right; font-size: 11px; padding: 3px 10px 3px 5px; color: #666;
  line-height: 1.3; }
.post .post_body { font-size: 14px; padding: 12px 0; }
.post .post_controls { clear: both; background: #eee; border-bottom: 1px solid #ccc; padding: 5px; overflow: hidden; }
.postbit_buttons > a:link, .postbit_buttons > a:visited { display: inline-block; padding: 2px 5px; margin: 2px;
  font-size: 11px; background: #eee; border: 1px solid #ccc; color: #555; }
</style>
)";

// The settings and texts the board's scripts read, printed into every page's head.
QByteArray settingsScript(const ClassicForumViewer &viewer)
{
    return R"(<script type="text/javascript">
<!--
	var lang = {};
	lang.unknown_error = "An unknown error has occurred.";
	lang.confirm_title = "Please Confirm";
	lang.expcol_collapse = "[-]";
	lang.expcol_expand = "[+]";
	lang.select2_match = "One result is available, press enter to select it.";
	lang.select2_matches = "{1} results are available, use up and down arrow keys to navigate.";
	lang.select2_nomatches = "No matches found";
	lang.select2_inputtooshort_single = "Please enter one or more character";
	lang.select2_inputtooshort_plural = "Please enter {1} or more characters";
	lang.select2_inputtoolong_single = "Please delete one character";
	lang.select2_inputtoolong_plural = "Please delete {1} characters";
	lang.select2_selectiontoobig_single = "You can only select one item";
	lang.select2_selectiontoobig_plural = "You can only select {1} items";
	lang.select2_loadmore = "Loading more results&hellip;";
	lang.select2_searching = "Searching&hellip;";
	var templates = { modal: '<div class="modal"><div style="overflow-y: auto; max-height: 400px;"><table ' +
		'border="0" cellspacing="0" cellpadding="5" class="tborder"><tr><td class="thead"><strong>__title__</strong>' +
		'</td></tr><tr><td class="trow1">__message__</td></tr><tr><td class="tfoot"><div style="text-align: center">' +
		'__buttons__</div></td></tr></table></div></div>', modal_button: '<input type="submit" class="button" ' +
		'value="__title__"/>&nbsp;' };
	var cookieDomain = "";
	var cookiePath = "/";
	var cookiePrefix = "";
	var cookieSecureFlag = "0";
	var deleteevent_confirm = "Are you sure you want to delete this event?";
	var removeattach_confirm = "Are you sure you want to remove the selected attachment from this post?";
	var loading_text = 'Loading. <br />Please Wait&hellip;';
	var saving_changes = 'Saving changes&hellip;';
	var use_xmlhttprequest = "1";
	var my_post_key = ")" +
           viewer.postKey.toLatin1() + R"(";
	var rootpath = "";
	var imagepath = "images";
	var yes_confirm = "Yes";
	var no_confirm = "No";
	var MyBBEditor = null;
	var modal_zindex = 9999;
// -->
</script>
)";
}

QByteArray welcomeBlock(const ClassicForumViewer &viewer)
{
    if (!viewer.member.isEmpty()) {
        const QByteArray profile = "member.php?action=profile&amp;uid=" + number(viewer.uid);
        return R"(<span class="float_right"><a href="member.php?action=logout&amp;logoutkey=)" +
               viewer.logoutKey.toLatin1() + R"(" class="logout">Log Out</a></span>
<span class="welcome">Welcome back, <strong><a href=")" +
               profile + "\">" + escaped(viewer.member) + R"(</a></strong>. You last visited: Today, 09:12 AM</span>
</div></div>
<div class="lower"><div class="wrapper">
<ul class="menu panel_links">
<li><a href="usercp.php" class="usercp">User CP</a></li>
<li><a href="private.php" class="privatemessages">Private Messages</a> (Unread 0, Total 3)</li>
</ul>
<ul class="menu user_links">
<li><a href="search.php?action=getnew">View New Posts</a></li>
<li><a href="search.php?action=getdaily">View Today's Posts</a></li>
<li><a href="usercp.php?action=subscriptions">Subscribed Threads</a></li>
<li><a href="misc.php?action=buddypopup" onclick="return false;">Buddy List</a></li>
</ul>
<br class="clear" />
)";
    }
    // The quick log-in form stays hidden until the log-in link is clicked with scripts on.
    return R"(<span class="welcome">Hello There, Guest! <a href="member.php?action=login" class="login">Login</a>
<a href="member.php?action=register" class="register">Register</a></span>
<div class="modal" id="quick_login" style="display: none;">
<form method="post" action="member.php">
<input name="action" type="hidden" value="do_login" />
<input name="url" type="hidden" value="" />
<input name="quick_login" type="hidden" value="1" />
<input name="my_post_key" type="hidden" value=")" +
           viewer.postKey.toLatin1() + R"(" />
<table width="100%" cellspacing="0" cellpadding="5" border="0" class="tborder">
<tr><td class="thead" colspan="2"><strong>Login</strong></td></tr>
<tr><td class="trow1" width="25%"><strong>Username:</strong></td>
<td class="trow1"><input name="quick_username" id="quick_login_username" type="text" value="" class="textbox initial_focus" /></td></tr>
<tr><td class="trow2"><strong>Password:</strong></td>
<td class="trow2"><input name="quick_password" id="quick_login_password" type="password" value="" class="textbox" /><br />
<a href="member.php?action=lostpw" class="lost_password">Lost Password?</a></td></tr>
<tr><td class="trow1">&nbsp;</td><td class="trow1 remember_me"><input name="quick_remember" id="quick_login_remember" type="checkbox" value="yes" class="checkbox" checked="checked" />
<label for="quick_login_remember">Remember me</label></td></tr>
<tr><td class="trow2" colspan="2"><div align="center"><input name="submit" type="submit" class="button" value="Login" /></div></td></tr>
</table>
</form>
</div>
</div></div>
<div class="lower"><div class="wrapper">
<ul class="menu user_links"><li><a href="search.php?action=getdaily">View Today's Posts</a></li></ul>
<br class="clear" />
)";
}

// The trail above a page: the board, then the forum when the page belongs to a thread, then the
// page itself.
struct Trail
{
    QString page;
    bool inForum = false;

    static Trail thread(const QString &subject) { return {subject, true}; }
    static Trail of(const QString &page) { return {page, false}; }
};

QByteArray navigation(const Trail &trail)
{
    QByteArray links = "<div class=\"navigation\">\n<a href=\"index.php\">" + boardName + "</a>";
    if (trail.inForum)
        links += " &rsaquo; <a href=\"forumdisplay.php?fid=2\">General Discussion</a>";
    if (!trail.page.isEmpty())
        links += " &rsaquo; <span class=\"active\">" + escaped(trail.page) + "</span>";
    return links + "\n</div>\n<br />\n";
}

// The forum jump the board puts under each thread: every forum of the board in one list.
QByteArray forumJump()
{
    static const char *const forums[] = {
        "Announcements and News",
        "Rules and Guidelines",
        "Introduce Yourself",
        "General Discussion",
        "Off Topic",
        "Help and Support",
        "Bug Reports",
        "Feature Requests",
        "Tutorials and Guides",
        "Showcase",
        "Buy, Sell and Trade",
        "Jobs and Freelance",
        "Events and Meetups",
        "Photography",
        "Music and Audio",
        "Games",
        "Books and Reading",
        "Films and Television",
        "Sports and Fitness",
        "Travel",
        "Food and Drink",
        "Technology News",
        "Programming",
        "Web Design",
        "Hardware and Gadgets",
        "Networking and Security",
        "Site Feedback",
        "Archive",
    };
    QByteArray list = R"(<form action="forumdisplay.php" method="get">
<span class="smalltext"><strong>Forum Jump:</strong></span>
<select name="fid" class="forumjump">
<option value="-4">Private Messages</option>
<option value="-3">User Control Panel</option>
<option value="-5">Who's Online</option>
<option value="-2">Search</option>
<option value="-1">Forum Home</option>
)";
    int fid = 1;
    for (const char *forum : forums) {
        ++fid;
        list += "<option value=\"" + number(fid) + "\" " + (fid == 5 ? "selected=\"selected\"" : "") + ">-- " + forum +
                "</option>\n";
    }
    return list + "</select>\n<input type=\"submit\" class=\"button\" value=\"Go\" />\n</form>\n";
}

QByteArray footer(const ClassicForumViewer &viewer)
{
    return R"(</div></div>
<div id="footer">
<div class="upper"><div class="wrapper">
<div class="language"><form method="POST" action="/index.php" id="lang_select"><select name="language">
<optgroup label="Quick Language Select"><option value="english" selected="selected">&nbsp;&nbsp;&nbsp;English (American)</option>
<option value="british">&nbsp;&nbsp;&nbsp;English (British)</option></optgroup></select></form></div>
<div class="theme"><form method="POST" action="/index.php" id="theme_select"><select name="theme">
<optgroup label="Quick Theme Select"><option value="2">Default</option><option value="3">Dark</option></optgroup></select></form></div>
<ul class="menu bottom_links">
<li><a href="showteam.php">Forum Team</a></li>
<li><a href="contact.php">Contact Us</a></li>
)" +
           QByteArray(viewer.member.isEmpty() ? ""
                                              : "<li><a href=\"misc.php?action=markread&amp;my_post_key=" +
                                                    viewer.postKey.toLatin1() + "\">Mark all forums read</a></li>\n") +
           R"(<li><a href="#top">Return to Top</a></li>
<li><a href="archive/index.php">Lite (Archive) Mode</a></li>
<li><a href="misc.php?action=syndication">RSS Syndication</a></li>
</ul>
</div></div>
<div class="lower"><div class="wrapper">
<span id="current_time"><strong>Current time:</strong> 03-11-2024, 10:31 AM</span>
<span id="copyright">Powered by the board software. Theme by the board's designers.</span>
</div></div>
</div>
</div>
</body>
</html>
)";
}

QByteArray frame(const ClassicForumViewer &viewer, const QString &title, const QByteArray &head, const Trail &trail,
                 const QByteArray &content)
{
    return R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html xml:lang="en" lang="en" xmlns="http://www.w3.org/1999/xhtml">
<head>
<title>)" + escaped(title) +
           R"x(</title>
<link rel="alternate" type="application/rss+xml" title="Latest Threads (RSS 2.0)" href="syndication.php" />
<link rel="alternate" type="application/atom+xml" title="Latest Threads (Atom 1.0)" href="syndication.php?type=atom1.0" />
<meta http-equiv="Content-Type" content="text/html; charset=UTF-8" />
<meta http-equiv="Content-Script-Type" content="text/javascript" />
)x" + styleSheet +
           settingsScript(viewer) + head + R"(</head>
<body>
<div id="container">
<a name="top" id="top"></a>
<div id="header">
<div id="logo"><div class="wrapper">
<a href="index.php"><span class="largetext">)" +
           boardName + R"(</span></a>
<ul class="menu top_links">
<li><a href="portal.php" class="portal">Portal</a></li>
<li><a href="search.php" class="search">Search</a></li>
<li><a href="memberlist.php" class="memberlist">Member List</a></li>
<li><a href="calendar.php" class="calendar">Calendar</a></li>
<li><a href="misc.php?action=help" class="help">Help</a></li>
</ul>
</div></div>
<div id="panel">
<div class="upper"><div class="wrapper">
<form action="search.php" id="search"><fieldset>
<input name="keywords" type="text" class="textbox" />
<input value="Search" type="submit" class="button" />
<input type="hidden" name="action" value="do_search" />
<input type="hidden" name="postthread" value="1" />
</fieldset></form>
)" + welcomeBlock(viewer) +
           R"(</div></div>
</div>
</div>
<div id="content"><div class="wrapper">
)" + navigation(trail) +
           content + footer(viewer);
}

// The anchor each family gives a post, and the link to it.
QByteArray postOpening(ForumShape shape, int post)
{
    const QByteArray n = number(post);
    switch (shape) {
    case ForumShape::PhpBB: return "<div id=\"p" + n + "\" class=\"post has-profile bg2\">\n";
    case ForumShape::Smf: return "<div class=\"windowbg\" id=\"msg" + n + "\">\n";
    case ForumShape::MyBB: break;
    }
    return "<a name=\"pid" + n + "\" id=\"pid" + n + "\"></a>\n<div class=\"post \" style=\"\" id=\"post_" + n +
           "\">\n";
}

QByteArray postBit(const ClassicForumViewer &viewer, ForumShape shape, const QString &subject,
                   const ClassicForumPost &post, int position)
{
    const QByteArray n = number(post.number);
    const QByteArray uid = number(int(qHash(post.author) % 900) + 10);
    const QByteArray profile = "member.php?action=profile&amp;uid=" + uid;
    QByteArray bit = postOpening(shape, post.number);
    bit += R"(<div class="post_author">
<div class="author_avatar"><a href=")" +
           profile + R"("></a></div>
<div class="author_information">
<strong><span class="largetext"><a href=")" +
           profile + "\">" + escaped(post.author) + R"(</a></span></strong><br />
<span class="smalltext">Junior Member<br />*<br /></span>
</div>
<div class="author_statistics">
Posts: 12<br />
Threads: 3<br />
Joined: Mar 2024
<br />Reputation: <a href="reputation.php?uid=)" +
           uid + R"("><strong class="reputation_neutral">0</strong></a>
</div>
</div>
<div class="post_content">
<div class="post_head">
<div class="float_right" style="vertical-align: top">
<strong><a href=")" +
           href(ClassicForumAddresses::postPath(shape, post.thread, post.number)) + "\" title=\"" +
           escaped(post.subject.isEmpty() ? QStringLiteral("RE: ") + subject : post.subject) + "\">#" +
           number(position) + R"(</a></strong>
</div>
<span class="post_date">Today, 10:14 AM <span class="post_edit" id="edited_by_)" +
           n + R"("></span></span>
</div>
<div class="post_body scaleimages" id="pid_)" +
           n + "\">\n" + ClassicBbcode::parse(post.message).html.toUtf8() + R"(
</div>
<div class="post_meta" id="post_meta_)" +
           n + R"("></div>
<div class="signature scaleimages">
Every thread is better with a cup of tea. Member of the spring meeting crew since 2019.
</div>
</div>
<div class="post_controls">
<div class="postbit_buttons author_buttons float_left">
<a href=")" +
           profile +
           R"(" title="View this user's profile" class="postbit_profile"><span>Profile</span></a>
<a href="private.php?action=send&amp;uid=)" +
           uid + R"(" title="Send a private message to this user" class="postbit_pm"><span>PM</span></a>
<a href="search.php?action=finduser&amp;uid=)" +
           uid + R"(" title="Find all posts by this user" class="postbit_find"><span>Find</span></a>
</div>
<div class="postbit_buttons post_management_buttons float_right">
)";
    if (!viewer.member.isEmpty()) {
        if (post.author == viewer.member)
            bit += "<a href=\"editpost.php?pid=" + n + "\" id=\"edit_post_" + n +
                   "\" class=\"postbit_edit\"><span>Edit</span></a>\n"
                   "<a href=\"editpost.php?pid=" +
                   n + "&amp;action=deletepost\" class=\"postbit_qdelete\"><span>Delete</span></a>\n";
        bit += "<a href=\"newreply.php?tid=" + number(post.thread) + "&amp;replyto=" + n +
               "\" title=\"Quote this message in a reply\" class=\"postbit_quote\"><span>Reply</span></a>\n"
               "<a href=\"javascript:void(0)\" id=\"multiquote_link_" +
               n + "\" title=\"Quote this post\" class=\"postbit_multiquote\"><span id=\"multiquote_" + n +
               "\">Quote</span></a>\n<a href=\"report.php?type=post&amp;pid=" + n +
               "\" class=\"postbit_report\"><span>Report</span></a>\n";
    }
    return bit + "</div>\n</div>\n</div>\n";
}

QByteArray pageLink(ForumShape shape, int thread, int page, const QByteArray &attributes, const QByteArray &text)
{
    return "<a href=\"" + href(ClassicForumAddresses::threadPath(shape, thread, page)) + "\" " + attributes + ">" +
           text + "</a>\n";
}

// The page links each family prints above and below the posts; none for a thread of one page.
QByteArray pagination(const ClassicThreadPage &thread)
{
    if (thread.pages < 2)
        return {};
    const ForumShape shape = thread.shape;
    QByteArray links;
    if (shape == ForumShape::PhpBB) {
        links = "<div class=\"pagination\">\n<ul>\n";
        for (int page = 1; page <= thread.pages; ++page)
            links += page == thread.page
                         ? "<li class=\"active\"><span>" + number(page) + "</span></li>\n"
                         : "<li>" +
                               pageLink(shape, thread.thread, page, "class=\"button\" role=\"button\"", number(page)) +
                               "</li>\n";
        if (thread.page < thread.pages)
            links += "<li class=\"arrow next\">" +
                     pageLink(shape, thread.thread, thread.page + 1,
                              "class=\"button button-icon-only\" rel=\"next\" role=\"button\"",
                              "<span class=\"sr-only\">Next</span>") +
                     "</li>\n";
        return links + "</ul>\n</div>\n";
    }
    if (shape == ForumShape::Smf) {
        links = "<div class=\"pagelinks floatleft\">\n<span class=\"pages\">Pages</span>\n";
        for (int page = 1; page <= thread.pages; ++page)
            links += page == thread.page ? "<span class=\"current_page\">" + number(page) + "</span>\n"
                                         : pageLink(shape, thread.thread, page, "class=\"nav_page\"", number(page));
        if (thread.page < thread.pages)
            links += pageLink(shape, thread.thread, thread.page + 1, "class=\"nav_page\"",
                              "<span class=\"main_icons next_page\"></span>");
        return links + "</div>\n";
    }
    links = "<div class=\"pagination\">\n<span class=\"pages\">Pages (" + number(thread.pages) + "):</span>\n";
    if (thread.page > 1)
        links += pageLink(shape, thread.thread, thread.page - 1, "class=\"pagination_previous\"", "&laquo; Previous");
    for (int page = 1; page <= thread.pages; ++page)
        links += page == thread.page ? "<span class=\"pagination_current\">" + number(page) + "</span>\n"
                                     : pageLink(shape, thread.thread, page, "class=\"pagination_page\"", number(page));
    if (thread.page < thread.pages)
        links += pageLink(shape, thread.thread, thread.page + 1, "class=\"pagination_next\"", "Next &raquo;");
    return links + "</div>\n";
}

// Other threads of the board, the "possibly related" list under a thread.
QByteArray relatedThreads()
{
    static const char *const subjects[] = {
        "Where to meet in the autumn",     "Photos from last year's meeting", "Looking for a lift from the station",
        "Ideas for the next get-together", "Venue suggestions, please",
    };
    QByteArray rows;
    int thread = 40;
    for (const char *subject : subjects) {
        ++thread;
        rows += "<tr><td class=\"trow1\" align=\"center\" width=\"2%\">&nbsp;</td>\n<td class=\"trow1\"><a "
                "href=\"showthread.php?tid=" +
                number(thread) + "\">" + subject +
                "</a><br /><span class=\"smalltext\">Last Post: <a href=\"showthread.php?tid=" + number(thread) +
                "&amp;action=lastpost\">Yesterday, 08:47 PM</a></span></td>\n<td class=\"trow1\" align=\"center\">" +
                "<a href=\"member.php?action=profile&amp;uid=" + number(thread % 7 + 2) +
                "\">dave</a></td>\n<td class=\"trow1\" align=\"center\">" + number(thread % 9 + 1) + "</td></tr>\n";
    }
    return rows;
}

QByteArray quickReply(const ClassicForumViewer &viewer, const ClassicThreadPage &thread)
{
    const int lastPost = thread.posts.isEmpty() ? 0 : thread.posts.last().number;
    return R"(<form method="post" action="newreply.php?tid=)" + number(thread.thread) +
           R"(&amp;processed=1" name="quick_reply_form" id="quick_reply_form">
<input type="hidden" name="my_post_key" value=")" +
           viewer.postKey.toLatin1() + R"(" />
<input type="hidden" name="subject" value="RE: )" +
           escaped(thread.subject) + R"(" />
<input type="hidden" name="action" value="do_newreply" />
<input type="hidden" name="tid" value=")" +
           number(thread.thread) + R"(" />
<input type="hidden" name="method" value="quickreply" />
<input type="hidden" name="posthash" value=")" +
           viewer.postHash.toLatin1() + R"(" id="posthash" />
<input type="hidden" name="quoted_ids" value="" id="quoted_ids" />
<input type="hidden" name="lastpid" id="lastpid" value=")" +
           number(lastPost) + R"(" />
<input type="hidden" name="from_page" value=")" +
           number(thread.page) + R"(" />
<table border="0" cellspacing="0" cellpadding="5" class="tborder">
<thead><tr><td class="thead" colspan="2"><div><strong>Quick Reply</strong></div></td></tr></thead>
<tbody id="quickreply_e">
<tr>
<td class="trow1" valign="top" width="22%"><strong>Message</strong><br />
<span class="smalltext">Type your reply to this message here.<br /><br />
<label><input type="checkbox" class="checkbox" name="postoptions[signature]" value="1" checked="checked" />&nbsp;<strong>Signature</strong></label><br />
<label><input type="checkbox" class="checkbox" name="postoptions[disablesmilies]" value="1" />&nbsp;<strong>Disable Smilies</strong></label></span>
</td>
<td class="trow1"><div style="width: 95%"><textarea style="width: 100%; padding: 4px; margin: 0;" rows="8" cols="80" name="message" id="message" tabindex="1"></textarea></div>
<div class="error" id="quick_reply_errors" style="display: none;"></div></td>
</tr>
<tr><td colspan="2" align="center" class="tfoot"><input type="submit" class="button" value="Post Reply" tabindex="2" accesskey="s" id="quick_reply_submit" /></td></tr>
</tbody>
</table>
</form>
<br class="clear" />
)";
}

// The composer's button, below the quick reply; its script builds the panel when it is pressed.
QByteArray composerOpener(const ClassicForumViewer &viewer, const ClassicThreadPage &thread)
{
    const QByteArray editor = thread.composer == ClassicComposer::Editor ? "sceditor" : "";
    return R"(<div class="float_right"><button type="button" class="button" id="composer_open" data-tid=")" +
           number(thread.thread) + R"(" data-post-key=")" + viewer.postKey.toLatin1() + R"(" data-subject="RE: )" +
           escaped(thread.subject) + R"(" data-editor=")" + editor + R"(">Reply</button></div>
<br class="clear" />
)";
}

QByteArray composerScripts(const ClassicThreadPage &thread)
{
    QByteArray scripts;
    if (thread.composer == ClassicComposer::Editor)
        scripts += R"(<link rel="stylesheet" href="/node_modules/sceditor/minified/themes/default.min.css" />
<script type="text/javascript" src="/node_modules/sceditor/minified/sceditor.min.js"></script>
<script type="text/javascript" src="/node_modules/sceditor/minified/formats/bbcode.js"></script>
)";
    return scripts + "<script type=\"text/javascript\" src=\"jscripts/composer.js?ver=1839\"></script>\n";
}

QByteArray headLinks(const ClassicThreadPage &thread)
{
    QByteArray links;
    if (thread.canonicalLink)
        links += "<link rel=\"canonical\" href=\"" +
                 escaped(thread.origin + ClassicForumAddresses::threadPath(thread.shape, thread.thread, thread.page)) +
                 "\" />\n";
    // Of the three families only this one names the next page in the head.
    if (thread.shape == ForumShape::Smf && thread.page < thread.pages)
        links +=
            "<link rel=\"next\" href=\"" +
            escaped(thread.origin + ClassicForumAddresses::threadPath(thread.shape, thread.thread, thread.page + 1)) +
            "\" />\n";
    return links + "<script type=\"text/javascript\" src=\"jscripts/thread.js?ver=1839\"></script>\n";
}

QByteArray loginForm(const QString &returnTo)
{
    return R"(<form action="member.php" method="post">
<table border="0" cellspacing="0" cellpadding="5" class="tborder">
<tr><td class="thead" colspan="2"><strong>Login</strong></td></tr>
<tr><td class="trow1" width="25%"><strong>Username:</strong></td>
<td class="trow1"><input type="text" class="textbox" name="username" size="25" style="width: 200px;" value="" /></td></tr>
<tr><td class="trow2"><strong>Password:</strong><br /><span class="smalltext">Please note that passwords are case sensitive.</span></td>
<td class="trow2"><input type="password" class="textbox" name="password" size="25" style="width: 200px;" value="" /> (<a href="member.php?action=lostpw">Lost Password?</a>)</td></tr>
<tr><td class="trow1" colspan="2" align="center"><label title="If ticked, your login details will be remembered on this computer, otherwise you will be logged out as soon as you close your browser."><input type="checkbox" class="checkbox" name="remember" checked="checked" value="yes" /> Remember me</label></td></tr>
</table>
<br />
<div align="center"><input type="submit" class="button" name="submit" value="Login" /></div>
<input type="hidden" name="action" value="do_login" />
<input type="hidden" name="url" value=")" +
           escaped(returnTo) + R"(" />
</form>
)";
}

} // namespace

QByteArray ClassicForumPages::postBits(const ClassicForumViewer &viewer, ForumShape shape, const QString &subject,
                                       const QList<ClassicForumPost> &posts, int firstPosition)
{
    QByteArray bits;
    for (const ClassicForumPost &post : posts)
        bits += postBit(viewer, shape, subject, post, firstPosition++);
    return bits;
}

QByteArray ClassicForumPages::threadPage(const ClassicForumViewer &viewer, const ClassicThreadPage &thread)
{
    const bool member = !viewer.member.isEmpty();
    const QByteArray replyButton = member ? "<a href=\"newreply.php?tid=" + number(thread.thread) +
                                                "\" class=\"button new_reply_button\"><span>Post Reply</span></a>"
                                          : QByteArray();
    const QByteArray pages = pagination(thread);
    QByteArray content =
        "<div class=\"float_left\">\n" + pages + "</div>\n<div class=\"float_right\">" + replyButton + "</div>\n";
    content += R"(<table border="0" cellspacing="0" cellpadding="5" class="tborder tfixed clear">
<tr><td class="thead"><div class="float_left"><strong>)" +
               escaped(thread.subject) + R"(</strong></div></td></tr>
<tr><td id="posts_container">
<div id="posts">
)" + postBits(viewer, thread.shape, thread.subject, thread.posts, thread.firstPosition) +
               R"(</div>
</td></tr>
<tr><td class="tfoot">
<div class="float_right"><span class="smalltext"><strong><a href="showthread.php?tid=)" +
               number(thread.thread) +
               R"(&amp;action=nextoldest">&laquo; Next Oldest</a> | <a href="showthread.php?tid=)" +
               number(thread.thread) + R"(&amp;action=nextnewest">Next Newest &raquo;</a></strong></span></div>
</td></tr>
</table>
<div class="float_left">
)" + pages + "</div>\n<div style=\"padding-top: 4px;\" class=\"float_right\">" +
               replyButton + "</div>\n<br class=\"clear\" />\n";
    if (member)
        content += quickReply(viewer, thread);
    if (member && thread.composer != ClassicComposer::None)
        content += composerOpener(viewer, thread);
    content += R"(<div class="float_left">
<ul class="thread_tools">
<li class="printable"><a href="printthread.php?tid=)" +
               number(thread.thread) + R"(">View a Printable Version</a></li>
)" +
               (member ? "<li class=\"subscription_add\"><a href=\"usercp2.php?action=addsubscription&amp;tid=" +
                             number(thread.thread) + "&amp;my_post_key=" + viewer.postKey.toLatin1() +
                             "\">Subscribe to this thread</a></li>\n"
                       : QByteArray()) +
               R"(</ul>
</div>
<div class="float_right" style="text-align: right;">
)" + forumJump() +
               R"(</div>
<br class="clear" />
<div class="float_left"><form action="search.php" method="post">
<input type="hidden" name="action" value="thread" />
<input type="hidden" name="tid" value=")" +
               number(thread.thread) + R"(" />
<input type="text" name="keywords" value="Enter Keywords" onfocus="if(this.value == 'Enter Keywords') { this.value = ''; }" onblur="if(this.value=='') { this.value='Enter Keywords'; }" class="textbox" size="25" />
<input type="submit" class="button" value="Search Thread" />
</form></div>
<div id="thread_modes_popup" class="popup_menu" style="display: none;">
<div class="popup_item_container"><a href="showthread.php?mode=linear&amp;tid=)" +
               number(thread.thread) + R"(" class="popup_item">Linear Mode</a></div>
<div class="popup_item_container"><a href="showthread.php?mode=threaded&amp;tid=)" +
               number(thread.thread) + R"(" class="popup_item">Threaded Mode</a></div>
</div>
<br class="clear" />
<table border="0" cellspacing="0" cellpadding="5" class="tborder">
<tr><td class="thead" colspan="4"><strong>Possibly Related Threads&hellip;</strong></td></tr>
<tr><td class="tcat" align="center" colspan="2"><span class="smalltext"><strong>Thread</strong></span></td>
<td class="tcat" align="center"><span class="smalltext"><strong>Author</strong></span></td>
<td class="tcat" align="center"><span class="smalltext"><strong>Replies</strong></span></td></tr>
)" + relatedThreads() +
               R"(</table>
<br />
<table border="0" cellspacing="0" cellpadding="5" class="tborder">
<tr><td class="tcat"><span class="smalltext"><strong>Users browsing this thread:</strong> )" +
               (member ? escaped(viewer.member) + ", " : QByteArray()) + R"(1 Guest(s)</span></td></tr>
</table>
)";
    const QByteArray composer = member && thread.composer != ClassicComposer::None ? composerScripts(thread) : "";
    return frame(viewer, thread.subject, headLinks(thread) + composer, Trail::thread(thread.subject), content);
}

QByteArray ClassicForumPages::loginPage(const ClassicForumViewer &viewer, const QString &returnTo, bool failed)
{
    const QByteArray error =
        failed ? "<div class=\"error\"><p><em>Please correct the following errors before continuing:</em></p><ul>"
                 "<li>You have entered an invalid username/password combination. If you have forgotten your password "
                 "please retrieve a new one.</li></ul></div>\n<br />\n"
               : QByteArray();
    return frame(viewer, QString::fromLatin1(boardName + " - Login"), {}, Trail::of(QStringLiteral("Login")),
                 error + loginForm(returnTo));
}

QByteArray ClassicForumPages::noPermissionPage(const ClassicForumViewer &viewer, const QString &returnTo)
{
    return frame(viewer, QString::fromLatin1(boardName), {}, {},
                 R"(<table border="0" cellspacing="0" cellpadding="5" class="tborder">
<tr><td class="thead"><span class="smalltext"><strong>)" +
                     boardName +
                     R"(</strong></span></td></tr>
<tr><td class="trow1">You are either not logged in or do not have permission to view this page. This could be because one of the following reasons:
<ol>
<li>You are not logged in or registered. Please use the form at the bottom of this page to login.</li>
<li>You do not have permission to access this page. Are you trying to access administrative pages or a resource that you shouldn't be? Check in the forum rules that you are allowed to perform this action.</li>
<li>Your account may have been disabled by an administrator, or it may be awaiting account activation.</li>
<li>You have accessed this page directly rather than using appropriate forms or links.</li>
</ol></td></tr>
</table>
<br />
)" + loginForm(returnTo));
}

QByteArray ClassicForumPages::newReplyPage(const ClassicForumViewer &viewer, int thread, const QString &subject,
                                           const QList<ClassicForumPost> &review, const QString &message,
                                           const QString &notice)
{
    const QByteArray editor = R"(<link rel="stylesheet" href="/node_modules/sceditor/minified/themes/default.min.css" />
<script type="text/javascript" src="/node_modules/sceditor/minified/sceditor.min.js"></script>
<script type="text/javascript" src="/node_modules/sceditor/minified/formats/bbcode.js"></script>
)";
    QByteArray content;
    if (!notice.isEmpty())
        content +=
            "<div class=\"error\"><p><em>Please correct the following errors before continuing:</em></p><ul><li>" +
            escaped(notice) + "</li></ul></div>\n<br />\n";
    content += R"(<form action="newreply.php?tid=)" + number(thread) +
               R"(&amp;processed=1" method="post" enctype="multipart/form-data" name="input">
<input type="hidden" name="my_post_key" value=")" +
               viewer.postKey.toLatin1() + R"(" />
<table border="0" cellspacing="0" cellpadding="5" class="tborder">
<tr><td class="thead" colspan="2"><strong>Post Reply to Thread: )" +
               escaped(subject) + R"(</strong></td></tr>
<tr><td class="trow2" width="20%"><strong>Username:</strong></td><td class="trow2">)" +
               escaped(viewer.member) + R"(</td></tr>
<tr><td class="trow2" width="20%"><strong>Post Subject</strong> <span class="smalltext">(Optional)</span></td>
<td class="trow2"><input type="text" class="textbox" name="subject" size="40" maxlength="85" value="RE: )" +
               escaped(subject) + R"(" tabindex="1" /></td></tr>
<tr><td class="trow1" valign="top"><strong>Your Message</strong></td>
<td class="trow1"><textarea name="message" id="message" rows="20" cols="70" tabindex="2" style="width: 600px; height: 250px">)" +
               escaped(message) + R"(</textarea>
<script type="text/javascript">
var box = document.getElementById('message');
sceditor.create(box, { format: 'bbcode', emoticonsEnabled: false,
  style: '/node_modules/sceditor/minified/themes/content/default.min.css' });
MyBBEditor = sceditor.instance(box);
document.body.dataset.editorReady = MyBBEditor ? 'yes' : 'no';
</script></td></tr>
<tr><td class="trow2" valign="top"><strong>Post Options:</strong></td>
<td class="trow2"><span class="smalltext">
<label><input type="checkbox" class="checkbox" name="postoptions[signature]" value="1" checked="checked" /> <strong>Signature:</strong> include your signature. (registered users only)</label><br />
<label><input type="checkbox" class="checkbox" name="postoptions[disablesmilies]" value="1" /> <strong>Disable Smilies:</strong> disable smilies from showing in this post.</label></span></td></tr>
</table>
<br />
<div align="center"><input type="submit" class="button" name="submit" value="Post Reply" tabindex="3" accesskey="s" /></div>
<input type="hidden" name="action" value="do_newreply" />
<input type="hidden" name="replyto" value="0" />
<input type="hidden" name="posthash" value=")" +
               viewer.postHash.toLatin1() + R"(" />
<input type="hidden" name="quoted_ids" value="" />
<input type="hidden" name="tid" value=")" +
               number(thread) + R"(" />
</form>
<br class="clear" />
<table border="0" cellspacing="0" cellpadding="5" class="tborder tfixed">
<tr><td class="thead" align="center"><strong>Thread Review (Newest First)</strong></td></tr>
)";
    // The review names no posts: the rows carry neither anchors nor numbered names.
    for (auto post = review.crbegin(); post != review.crend(); ++post)
        content += "<tr><td class=\"tcat\"><span class=\"smalltext\"><strong>Posted by " + escaped(post->author) +
                   " - Today, 10:14 AM</strong></span></td></tr>\n<tr><td class=\"trow1 scaleimages\">" +
                   ClassicBbcode::parse(post->message).html.toUtf8() + "</td></tr>\n";
    content += "</table>\n";
    return frame(viewer, QString::fromLatin1(boardName) + QStringLiteral(" - Post Reply"), editor,
                 Trail::thread(subject), content);
}

QByteArray ClassicForumPages::indexPage(const ClassicForumViewer &viewer, const QList<QPair<int, QString>> &threads)
{
    QByteArray rows;
    for (const auto &[thread, subject] : threads)
        rows += "<tr><td class=\"trow1\"><a href=\"" +
                href(ClassicForumAddresses::threadPath(ForumShape::MyBB, thread)) + "\">" + escaped(subject) +
                "</a></td></tr>\n";
    return frame(viewer, QString::fromLatin1(boardName), {}, {},
                 "<table border=\"0\" cellspacing=\"0\" cellpadding=\"5\" class=\"tborder\">\n"
                 "<tr><td class=\"thead\"><strong>General Discussion</strong></td></tr>\n" +
                     rows + "</table>\n<br />\n" + forumJump());
}

QByteArray ClassicForumPages::messagePage(const ClassicForumViewer &viewer, const QString &title, const QString &text)
{
    return frame(viewer, QString::fromLatin1(boardName) + QStringLiteral(" - ") + title, {}, Trail::of(title),
                 "<table border=\"0\" cellspacing=\"0\" cellpadding=\"5\" class=\"tborder\">\n<tr><td class=\"thead\">"
                 "<span class=\"smalltext\"><strong>" +
                     escaped(title) + "</strong></span></td></tr>\n<tr><td class=\"trow1\">" + escaped(text) +
                     "</td></tr>\n</table>\n");
}
