#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Where installs put programs: the system's directories, and any "bin" directory such as
// ~/.local/bin. A copy run from its build or unpacked folder is none of these.
bool isInstallDirectory(const QFileInfo& directory)
{
    const QString path = directory.absoluteFilePath() + QLatin1Char('/');
    return path.startsWith(QLatin1String("/usr/")) || path.startsWith(QLatin1String("/opt/")) ||
           directory.fileName() == QLatin1String("bin");
}

} // namespace

QString settingsPathFor(const QString& executablePath, const QString& configDirectory)
{
    const QFileInfo executable(executablePath);
    const QString fileName = executable.completeBaseName() + QLatin1String(".ini");
    const QFileInfo directory(executable.absolutePath());
    if (directory.isDir() && directory.isWritable() && !isInstallDirectory(directory))
        return executable.dir().filePath(fileName);
    return QDir(configDirectory).filePath(fileName);
}

QString defaultSettingsPath()
{
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString path = settingsPathFor(QCoreApplication::applicationFilePath(), configDir);
    if (!path.startsWith(configDir))
        return path;
    QDir().mkpath(configDir);
    return path;
}
