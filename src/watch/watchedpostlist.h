#pragma once

#include <QList>
#include <QString>

// One watched thread: its page address and the page's body size when it was last watched.
struct WatchedPost
{
    QString url;
    QString size; // decimal text as stored in sizes.txt
};

// The watched threads, kept in posts.txt (addresses) and sizes.txt (sizes) in the data folder.
class WatchedPostList
{
public:
    // Reads both files; entries pair up by position.
    void load();
    // Each writes its file; an empty text on success, else the error.
    QString savePosts() const;
    QString saveSizes() const;

    int count() const { return int(m_posts.size()); }
    const WatchedPost &at(int index) const { return m_posts.at(index); }
    const QList<WatchedPost> &posts() const { return m_posts; }

private:
    QList<WatchedPost> m_posts;
};
