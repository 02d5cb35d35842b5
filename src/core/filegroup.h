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
//
// A file that is a symbolic link is written through it, as every data file is: the new content
// goes beside the file the link leads to and replaces that one, and the link stays. Each new file
// takes the mode of the one it replaces.
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
    // Where fileNames[index] really is: the file its link leads to, or the file itself.
    QString targetPath(int index) const;
    QString newPath(int index) const;
    QString journalPath() const;

private:
    void dropNewFiles() const;
    // Makes the renames in the group's folder and in those its links lead to durable.
    void syncFolders() const;

    QString m_folder;
    QString m_journalName;
    QStringList m_fileNames;
};
