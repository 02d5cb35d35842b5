#pragma once

#include "classicforumtypes.h"

#include <QString>

// Where a classic board's thread pages live, in each address family, and which thread, page or
// post an address names. Paths start with "/"; a page holds postsPerPage posts.
class ClassicForumAddresses
{
public:
    static constexpr int postsPerPage = 20;

    struct Target
    {
        ForumShape shape = ForumShape::MyBB;
        int thread = 0; // 0: none named (a post may still be)
        int page = 1;
        int post = 0;
    };

    static QString threadPath(ForumShape shape, int thread, int page = 1);
    // A pointer to one post, with its anchor: what the board sends the browser to after posting.
    static QString postPath(ForumShape shape, int thread, int post);
    // The thread, page or post that path and query name; false for an address that is no thread page.
    static bool read(const QString &path, const QString &query, Target *target);
};
