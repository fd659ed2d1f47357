#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The operating system's own system-information program and what to start it with.
struct SystemInfoTool
{
    QString program;
    QStringList arguments;

    friend bool operator==(const SystemInfoTool&, const SystemInfoTool&) = default;
};

// The system-information program of this machine, if one is installed. With no search paths the
// system's own places are used (the registry on Windows, the PATH elsewhere); given paths, only
// those directories are searched, which lets tests point the search at a prepared directory.
std::optional<SystemInfoTool> findSystemInfoTool(const QStringList& searchPaths = {});

// Starts the program on its own, without waiting for it; false when it could not be started.
bool launch(const SystemInfoTool& tool);
