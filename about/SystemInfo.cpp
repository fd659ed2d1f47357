#include "SystemInfo.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#include <QVariant>
#endif

namespace {

// The system-information programs this platform is known to ship, best first.
QList<SystemInfoTool> knownTools()
{
#ifdef Q_OS_WIN
    return {{QStringLiteral("msinfo32"), {}}};
#else
    // The desktops' own hardware and system overviews; a process monitor is not one of them.
    return {
        {QStringLiteral("hardinfo2"), {}},   {QStringLiteral("hardinfo"), {}},
        {QStringLiteral("kinfocenter"), {}}, {QStringLiteral("xfce4-about"), {}},
        {QStringLiteral("cpu-x"), {}},       {QStringLiteral("lshw-gtk"), {}},
    };
#endif
}

std::optional<SystemInfoTool> searchDirectories(const QStringList& searchPaths)
{
    for (const SystemInfoTool& tool : knownTools()) {
        const QString path = QStandardPaths::findExecutable(tool.program, searchPaths);
        if (!path.isEmpty())
            return SystemInfoTool{path, tool.arguments};
    }
    return std::nullopt;
}

#ifdef Q_OS_WIN

// One registry value as text; false, with the value emptied, when the key or the value cannot
// be read. A number value comes back as its decimal text.
bool GetKeyValue(const QString& keyRoot, const QString& keyName, const QString& valueName,
                 QString& value)
{
    const QSettings key(keyRoot + u'\\' + keyName, QSettings::NativeFormat);
    const QVariant read = key.value(valueName);
    if (!read.isValid()) {
        value.clear();
        return false;
    }
    value = read.toString();
    return true;
}

// Where Windows says msinfo32 lives: its own full path if registered, else the shared tools
// directory, provided the program is really there.
std::optional<SystemInfoTool> registeredTool()
{
    const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
    QString path;
    if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        // The registered path is trusted as it is; an empty one cannot be started.
        if (path.isEmpty())
            return std::nullopt;
        return SystemInfoTool{path, {}};
    }
    QString directory;
    if (!GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                     QStringLiteral("MSINFO"), directory))
        return std::nullopt;
    const QString candidate = directory + QStringLiteral("\\MSINFO32.EXE");
    if (!QFileInfo::exists(candidate))
        return std::nullopt;
    return SystemInfoTool{candidate, {}};
}

#endif

} // namespace

std::optional<SystemInfoTool> findSystemInfoTool(const QStringList& searchPaths)
{
    if (!searchPaths.isEmpty())
        return searchDirectories(searchPaths);
#if defined(Q_OS_WIN)
    return registeredTool();
#elif defined(Q_OS_MACOS)
    const QString application =
        QStringLiteral("/System/Applications/Utilities/System Information.app");
    if (QFileInfo::exists(application))
        return SystemInfoTool{QStringLiteral("/usr/bin/open"), {application}};
    return std::nullopt;
#else
    return searchDirectories({});
#endif
}

bool launch(const SystemInfoTool& tool)
{
    if (tool.program.isEmpty())
        return false;
    return QProcess::startDetached(tool.program, tool.arguments);
}
