#pragma once

#include <QString>

// The folder that holds the program's data files: the folder of the executable when it can be
// written, else the per-user data folder (a program installed under /usr cannot write its own).
QString dataFolder();
QString dataFilePath(const QString &fileName);
// The folder used when the program lives in programFolder: that folder when it can be written,
// else the per-user data folder (created when missing).
QString chooseDataFolder(const QString &programFolder);
// Points the data files elsewhere (tests use a temporary folder).
void setDataFolder(const QString &folder);

// Whether an ordinary, visible file exists at path; the name is compared without regard to case
// and a pattern or a folder never matches. Never fails: every error gives false.
bool fileExists(const QString &path);
// The part of path after its last "/" (the whole text when there is none).
QString fileNamePart(const QString &path);
