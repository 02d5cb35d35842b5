#include "testenvironment.h"

#include "core/datafolder.h"
#include "core/settingsstore.h"

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
