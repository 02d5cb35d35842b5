#pragma once

// The text a paste puts into the page's focused field.
enum class PasteTarget {
    Subject,  // the editor's subject
    UserName, // the chosen forum's user name
    Password, // the chosen forum's password
    Message,  // the editor's message, converted to the chosen format
};
