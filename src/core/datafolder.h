#pragma once

#include <QString>

// The folder that holds a run's data files: the per-user data folder (~/.local/share/Threadloom),
// unless the program's own folder already keeps them (chooseDataFolder). A test's is a scratch
// folder.
class DataFolder
{
public:
    // A "/" at the end of path is dropped.
    explicit DataFolder(const QString &path);

    QString path() const { return m_path; }
    QString filePath(const QString &fileName) const;

private:
    QString m_path;
};

// The folder used when the program lives in programFolder: that folder when it can be written and
// already holds one of the data files (a copy carried over from an older install or a portable
// setup), else the per-user data folder (created when missing). A fresh build or install never
// starts keeping data beside the program, so cleaning the build or removing the program cannot
// take the user's messages, logins and watched posts with it.
QString chooseDataFolder(const QString &programFolder);
// Where "Help.rtf" is read from: the data folder, then beside the program, then the shared data
// folder of an installed program (PREFIX/share/threadloom when the program is PREFIX/bin). When
// none holds it, the data-folder path, which the help window then finds missing.
QString helpFilePath(const QString &dataFolder, const QString &programFolder);

// Whether an ordinary, visible file exists at path; the name is compared without regard to case
// and a pattern or a folder never matches. Never fails: every error gives false.
bool fileExists(const QString &path);
// The part of path after its last "/" (the whole text when there is none).
QString fileNamePart(const QString &path);
