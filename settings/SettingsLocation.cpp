#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString defaultSettingsPath()
{
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString fileName = executable.completeBaseName() + QLatin1String(".ini");
    const QString besideExecutable = executable.dir().filePath(fileName);

    const QFileInfo directory(executable.absolutePath());
    if (directory.isDir() && directory.isWritable())
        return besideExecutable;

    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDir);
    return QDir(configDir).filePath(fileName);
}
