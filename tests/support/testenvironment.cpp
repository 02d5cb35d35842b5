#include "testenvironment.h"

#include <QDir>
#include <QStandardPaths>

void isolateTestHome()
{
    // Test programs run side by side (ctest -j, several checkouts at once): each gets a home of
    // its own.
    static QTemporaryDir home;
    static const bool moved = qputenv("HOME", home.path().toLocal8Bit());
    Q_UNUSED(moved);
    QStandardPaths::setTestModeEnabled(true);
}

TestEnvironment::TestEnvironment()
    : m_settings(m_root.filePath(QStringLiteral("Threadloom.conf")))
{
    isolateTestHome();
    QDir(m_root.path()).mkdir(QStringLiteral("data"));
}

QString TestEnvironment::settingsFile() const
{
    return m_root.filePath(QStringLiteral("Threadloom.conf"));
}

QString TestEnvironment::dataFolder() const
{
    return m_root.filePath(QStringLiteral("data"));
}

QString TestEnvironment::filePath(const QString &name) const
{
    return dataFolder() + QLatin1Char('/') + name;
}

QString TestEnvironment::browserFolder() const
{
    return m_root.filePath(QStringLiteral("browser"));
}
