#pragma once

#include <QList>
#include <QStringList>

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
// files and protecting the rest (protectDataFiles). Returns one error text per file that could not
// be created or protected; the program goes on without it.
QStringList ensureDataFiles();
// Makes the data folder (0700) and the files that hold passwords (0600) owner-only where others
// may read them: a copy or an older install may have left them so. Through a link, the file it
// leads to changes. Returns one error text per file that stays readable by others.
QStringList protectDataFiles();
// Removes what an interrupted write of a data file leaves in the data folder: the temporary
// "<file>.XXXXXX" and "<file>.new.XXXXXX" of a replacement that never finished (posts2.txt's holds
// passwords). Nothing else is touched. Returns the names removed.
QStringList removeStaleTempFiles();
