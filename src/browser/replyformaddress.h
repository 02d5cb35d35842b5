#pragma once

class QUrl;

// Whether an address is a page for writing a post rather than a thread: the last segment of its
// path, or the value of its action parameter ("action", "mode", "do"), names a posting action such
// as newreply.php, posting.php?mode=reply, index.php?action=post or /threads/name.12/reply. Such a
// page shows the thread's newest posts under its form, the user's own among them, and a preview of
// the message being written; neither makes it the thread.
bool isReplyFormAddress(const QUrl &url);
