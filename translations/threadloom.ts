<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>AboutWindow</name>
    <message>
        <location filename="../src/app/aboutwindow.cpp" line="+51"/>
        <source>Your Program Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Owned By:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Website:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Accessibility</name>
    <message>
        <location filename="../src/ui/accessibility.cpp" line="+19"/>
        <source>Paste Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your Forums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your Posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Posts with new replies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <location line="+1"/>
        <source>Web page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Saved messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Link Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Link Middle %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Link End %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Email %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Email Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Email End %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear template %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Browser</name>
    <message>
        <location filename="../src/browser/addressbar.cpp" line="+13"/>
        <source>URL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>browse the entered url</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>refresh</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowserController</name>
    <message>
        <location filename="../src/browser/browsercontroller.cpp" line="+42"/>
        <source>Auto-Insert Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Could not auto-insert your message.  Try pasting instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Auto &amp;Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Re&amp;load Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A&amp;ddress Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowserPanel</name>
    <message>
        <location filename="../src/browser/browserpanel.cpp" line="+16"/>
        <source>Browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No Popups</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Compose</name>
    <message>
        <location filename="../src/compose/plainaddresshint.cpp" line="+31"/>
        <source>1 address left as plain text: see Tools &gt; Modern Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 addresses left as plain text: see Tools &gt; Modern Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/compose/savedmessage.cpp" line="+28"/>
        <source>The message was not saved: a subject cannot hold &quot;|&quot;, which separates the subject from the message in the saved messages. Please replace it and save again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/compose/savedmessagefile.cpp" line="+16"/>
        <source>saved messages (a message, &quot;|&quot; and its subject)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>
The saved messages are kept as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Could not read %1: it is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/compose/initialmessage.cpp" line="+9"/>
        <source>Type your first message here.  

Use plain-text, and be sure to put 
http:// before your URLs.  Then go
to a message forum&apos;s posting page 
and hit the &quot;Insert Message&quot; button 
to insert your message 
automatically!  

You can switch between different 
formatting types by changing the 
value in the drop down box above.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ComposeController</name>
    <message>
        <location filename="../src/compose/composecontroller.cpp" line="+46"/>
        <source>&amp;New Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Save Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Load Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Modern Links (https, www., query strings)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Paste Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+78"/>
        <source>message preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Message copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>MESSAGE SAVED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>you must first save a message before you can load one</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <location filename="../src/core/atomicfile.cpp" line="+13"/>
        <location filename="../src/core/filegroup.cpp" line="+110"/>
        <source>Could not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/datafiles.cpp" line="+79"/>
        <source>Could not make %1 readable by you only: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/filegroup.cpp" line="+6"/>
        <source>Could not remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/linelist.cpp" line="+63"/>
        <source>Could not read %1: most of its lines are not %2, so it is not taken for one of this program&apos;s files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/textfile.cpp" line="+195"/>
        <source>Could not read %1: it is not a text file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Could not read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>it is not an ordinary file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ForumLoginList</name>
    <message>
        <location filename="../src/browser/forumloginlist.cpp" line="+14"/>
        <source>There was an error saving your logins.<byte value="xd"/>
<byte value="xd"/>
Error Number %1<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <source>forums (an address, &quot;|&quot;, a login)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>
Changes to your forums will not be saved while the program runs, so the file stays as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>posts2.txt is kept as it was, because it could not be read when the program started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>A user name cannot hold &quot;|&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A user name or password cannot hold a line break.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ForumsController</name>
    <message>
        <location filename="../src/browser/forumscontroller.cpp" line="+30"/>
        <source>Add Current URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Paste Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Enter Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Remove this forum and its login?

%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ForumsPanel</name>
    <message>
        <location filename="../src/browser/forumspanel.cpp" line="+14"/>
        <source>Add Current URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Watch the current URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Remove URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Username:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+6"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <source>Click within the Username field on the form you want to paste into, then click here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Click within the Password field on the form you want to paste into, then click here.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <location filename="../src/app/helpwindow.cpp" line="+54"/>
        <source>Readme/Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Show at Startup</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeychainPasswordStore</name>
    <message>
        <location filename="../src/browser/keychainpasswordstore.cpp" line="+12"/>
        <source>no desktop keyring is running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the keyring is locked or refused access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>no desktop keyring could be reached (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the keyring refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the keyring said &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyringOption</name>
    <message>
        <location filename="../src/app/keyringoption.cpp" line="+19"/>
        <source>Keep Passwords in the Desktop Keyring</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/mainmenus.cpp" line="+37"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Check Replies &amp;Automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Saved Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/maincontrols.cpp" line="+30"/>
        <source>Visit us!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your Forums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your Posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/mainwindow.cpp" line="+93"/>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>View &amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About this software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Watching this thread</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Message inserted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Pasted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Nothing pasted: click into a field of the page first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 by %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Visit %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageEditorPanel</name>
    <message>
        <location filename="../src/compose/messageeditorpanel.cpp" line="+17"/>
        <source>Message Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Click within the Subject field on the form you want to paste into, then click here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Message:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Select the format you would like to use when your message is inserted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto-Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Once you are on the page where you can post your message, click here to insert it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Paste Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Click within the message area on the form you want to paste into, then click here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Save the current message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Load a saved message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>See a preview of your message in the currently selected format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy your message to the clipboard in the selected format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageSizeProbe</name>
    <message>
        <location filename="../src/watch/pagesizeprobe.cpp" line="+56"/>
        <source>An error has occurred.<byte value="xd"/>
Error #: %1<byte value="xd"/>
Description: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The page was not measured: %1<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Error occurred.<byte value="xd"/>
Error #: %1<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Connecting to the web server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Sending request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Request completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Receiving response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>unreadable answer from the web server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the page was cut off after %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the page was cut off: %1 of %2 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Timed out: the web server did not accept a connection within %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Timed out: the web server sent nothing for %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Timed out: the page was still arriving after %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasswordKeeper</name>
    <message>
        <location filename="../src/browser/passwordkeeper.cpp" line="+12"/>
        <source>The desktop keyring could not be used: %1.

Forum passwords kept there are not shown until it can be used again; nothing has been taken out of it, and passwords still in posts2.txt stay there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The desktop keyring could not take your forum passwords: %1.

They stay in posts2.txt, and the option is off again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The desktop keyring could not take a changed forum login: %1.

It is kept in posts2.txt for now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>it did not answer within %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+156"/>
        <source>Your forum passwords are back in posts2.txt, but the desktop keyring kept its copies of them: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The desktop keyring could not forget the password of a removed forum: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Some forum passwords could not be taken back from the desktop keyring: %1.

They stay there, and so does the option, until they can be taken back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>A forum password could not be taken back from the desktop keyring into posts2.txt; it stays in the keyring.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PostsPanel</name>
    <message>
        <location filename="../src/watch/postspanel.cpp" line="+14"/>
        <source>Watch This Post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Watch the current URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Remove Watch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>New Replies </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Check for new replies</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReplyCheckRun</name>
    <message>
        <location filename="../src/watch/replycheckrun.cpp" line="+38"/>
        <source>These posts could not be checked for new replies:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the forum asked to wait %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>too slow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+57"/>
        <source>stopped - %1 new replies found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+155"/>
        <source>checking post %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+94"/>
        <source>finished - %1 new replies found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SavedMessagesWindow</name>
    <message>
        <location filename="../src/compose/savedmessageswindow.cpp" line="+25"/>
        <source>load a saved message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Saved Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>delete message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>double-click the message you wish to load:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>click once to view the entire message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>cannot insert a blank message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Delete this saved message?

%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <location filename="../src/core/settings.h" line="+21"/>
        <source>Type Subject Here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusPanels</name>
    <message>
        <location filename="../src/app/statuspanels.cpp" line="+39"/>
        <source>%v of %m</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateEditor</name>
    <message>
        <location filename="../src/compose/templateeditor.cpp" line="+32"/>
        <source>Custom Message Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>You may use this form to create custom templates for message insertion.  Just enter the name, and the required parameters.  Your template will then be displayed in the drop down box on the main form.  We don&apos;t recommend changing the default templates, but if they become outdated you may wish to update them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Link Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Link Middle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Link End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Email Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Email End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Save and Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Enable changing of default templates</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Watch</name>
    <message>
        <location filename="../src/watch/answerclassifier.cpp" line="+45"/>
        <source>no readable answer from the web server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../src/watch/replyrule.cpp" line="+60"/>
        <source>login needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>moved to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/watch/probeaddress.cpp" line="+44"/>
        <source>The address has an unclosed &quot;[&quot; in its host name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The address has text after its host name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The address names no host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The address has a control character in its host name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The address has an invalid port number: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The address has an invalid host name: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/watch/replyrule.cpp" line="-45"/>
        <source>Logged in now, logged out when watched: this size is the new baseline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Logged out now, logged in when watched: this size is the new baseline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>1 new post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 new posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>a new page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>grew by %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/watch/replyschedule.cpp" line="+22"/>
        <source>1 watched thread has new replies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 watched threads have new replies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/watch/responsemeter.cpp" line="+145"/>
        <source>Downloaded %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Downloaded %1 from %2 (%3%)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WatchController</name>
    <message>
        <location filename="../src/watch/watchcontroller.cpp" line="+50"/>
        <source>Watch This Post</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove Watch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Check Replies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+229"/>
        <source>Check for new replies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-228"/>
        <source>&amp;All posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Replies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>&amp;Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Every %1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Response completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%1 rows of this thread are one now: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Stop watching this post?

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 - Not checked: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Stop checking</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WatchedPostList</name>
    <message>
        <location filename="../src/watch/watchedpostlist.cpp" line="+109"/>
        <source>Not checked: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>web addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>page sizes (whole numbers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>post numbers of watched posts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>
Changes to your watched posts will not be saved while the program runs, so the file stays as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
It is left as it is, and the reply check judges your watched posts by their page sizes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Your watched posts cannot be saved: posts.txt and sizes.txt are kept as they were, because one of them could not be read when the program started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebsiteWindow</name>
    <message>
        <location filename="../src/browser/websitewindow.cpp" line="+42"/>
        <source>Browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Opening %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Completed %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
