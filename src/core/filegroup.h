#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Files in one folder that only make sense together (posts.txt and sizes.txt pair up line by
// line) and are replaced as one. write() puts every new content next to its file as
// "<name>.new", then records the commit in a journal file, then renames each new file over its
// old one and removes the journal. Before the journal exists nothing has changed; once it exists
// every new file is whole, so settle() can finish the renames. A kill at any moment therefore
// leaves, after the next settle(), either all old files or all new ones.
class FileGroup
{
public:
    FileGroup(const QString &folder, const QString &journalName, const QStringList &fileNames);

    // Finishes a write that reached its journal, or drops the new files of one that did not.
    // Returns an empty text, or why the files could not be brought to one state.
    QString settle() const;
    // Replaces every file (in the order of the names) with its content, or none of them. Returns
    // an empty text on success, else a message that names the file and the system's reason.
    QString write(const QList<QByteArray> &contents) const;
    // Where the content of fileNames[index] is now: its ".new" file while a committed write waits
    // for settle() (when settle() could not finish it), else the file itself.
    QString currentPath(int index) const;

    QString filePath(int index) const;
    QString newPath(int index) const;
    QString journalPath() const;

private:
    void dropNewFiles() const;

    QString m_folder;
    QString m_journalName;
    QStringList m_fileNames;
};
