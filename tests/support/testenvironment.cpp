#include "testenvironment.h"

#include "core/datafolder.h"
#include "core/settingsstore.h"

#include <QStandardPaths>

void isolateTestSettings()
{
    // Test programs run side by side (ctest -j, several checkouts at once): each gets a home of
    // its own, so that one program clearing its settings never empties another's.
    static QTemporaryDir home;
    static const bool moved = qputenv("HOME", home.path().toLocal8Bit());
    Q_UNUSED(moved);
    QStandardPaths::setTestModeEnabled(true);
}

TestEnvironment::TestEnvironment()
{
    isolateTestSettings();
    clearSettingsForTesting();
    setDataFolder(m_folder.path());
}

QString TestEnvironment::filePath(const QString &name) const
{
    return m_folder.filePath(name);
}
