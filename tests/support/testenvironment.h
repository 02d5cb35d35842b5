#pragma once

#include "core/datafolder.h"
#include "core/settingsstore.h"

#include <QTemporaryDir>

// Gives this test program a home folder of its own and turns on Qt's test locations, so that
// nothing a test reaches through the standard locations is the user's.
void isolateTestHome();

// The scratch places of one test: a settings file and a data folder of its own, in a temporary
// folder that goes with it. The test reads and writes them the way the program's areas do, through
// settings() and folder(); a TestContext builds a whole run's context on them, and a second one on
// the same places is the program's next start.
class TestEnvironment
{
public:
    TestEnvironment();

    // The scratch settings file. Every store on the same file sees the others' writes at once.
    SettingsStore &settings() { return m_settings; }
    QString settingsFile() const;
    DataFolder folder() const { return DataFolder(dataFolder()); }
    QString dataFolder() const;
    QString filePath(const QString &name) const;
    // Where a browser profile that outlives one context keeps its cookies, storage and cache.
    QString browserFolder() const;

private:
    QTemporaryDir m_root;
    SettingsStore m_settings;
};
