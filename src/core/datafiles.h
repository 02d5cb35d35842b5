#pragma once

#include <QStringList>

// The data files the program keeps in its data folder, in the order start-up makes sure of them.
QStringList startupDataFiles();
// Creates each missing one holding a single empty line (CR LF), after removing our stale temporary
// files. Returns one error text per file that could not be created; the program goes on without it.
QStringList ensureDataFiles();
// Removes what an interrupted write of a data file leaves in the data folder: the temporary
// "<file>.XXXXXX" and "<file>.new.XXXXXX" of a replacement that never finished (posts2.txt's holds
// passwords). Nothing else is touched. Returns the names removed.
QStringList removeStaleTempFiles();
