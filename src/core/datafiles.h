#pragma once

#include <QList>
#include <QStringList>

class DataFolder;

// One file the program keeps in its data folder.
struct DataFile
{
    const char *name;
    // Readable by its owner only (it holds passwords).
    bool ownerOnly;
    // The journal of the group of files replaced together with this one (FileGroup), or null.
    const char *journal;
    // Made at start-up when missing, holding one empty line.
    bool createdAtStart = true;
};

// Every data file, in the order start-up makes sure of them.
const QList<DataFile> &dataFiles();
// The journal that pairs posts.txt with sizes.txt.
inline constexpr const char *watchedPostsJournal = "posts.journal";

// The names of the dataFiles() made at start-up, in their order.
QStringList startupDataFiles();
// Creates each missing one holding a single empty line (CR LF), after removing our stale temporary
// files and making the data folder owner-only (protectDataFolder). Returns one error text per file
// that could not be created; the program goes on without it.
QStringList ensureDataFiles(const DataFolder &folder);
// Makes the data folder owner-only (0700) when others may read it: a copy or an older install may
// have left it so. An empty text, or why it stays readable by others.
QString protectDataFolder(const DataFolder &folder);
// The same for a file that holds passwords (0600). Through a link, the file it leads to changes:
// call it only on a file known to be ours (one that read as its list).
QString makeOwnerOnly(const QString &path);
// Removes what an interrupted write of a data file leaves in the data folder: the temporary
// "<file>.XXXXXX" and "<file>.new.XXXXXX" of a replacement that never finished (posts2.txt's holds
// passwords). Nothing else is touched. Returns the names removed.
QStringList removeStaleTempFiles(const DataFolder &folder);
