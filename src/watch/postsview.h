#pragma once

// The two views of the "Your Posts" page, in the order of their tabs.
enum class PostsView {
    ShowAll,    // every watched post, with watching and removing
    NewReplies, // the posts the last check found grown, with the check itself
};
