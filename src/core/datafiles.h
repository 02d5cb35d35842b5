#pragma once

#include <QStringList>

// The data files the program keeps in its data folder, in the order start-up makes sure of them.
QStringList startupDataFiles();
// Creates each missing one holding a single empty line (CR LF). Returns one error text per file
// that could not be created; the program goes on without it.
QStringList ensureDataFiles();
