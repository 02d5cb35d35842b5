#include "testenvironment.h"

#include "app/datafolder.h"
#include "app/settingsstore.h"

#include <QStandardPaths>

TestEnvironment::TestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    clearSettingsForTesting();
    setDataFolder(m_folder.path());
}

QString TestEnvironment::filePath(const QString &name) const
{
    return m_folder.filePath(name);
}
