#pragma once

#include <QTemporaryDir>

// Gives this test program a home folder of its own and turns on Qt's test locations.
void isolateTestSettings();

// Keeps a test away from the user's own files and settings: settings go to the test location
// (emptied), the data folder is a fresh temporary folder.
class TestEnvironment
{
public:
    TestEnvironment();
    QString dataFolder() const { return m_folder.path(); }
    QString filePath(const QString &name) const;

private:
    QTemporaryDir m_folder;
};
