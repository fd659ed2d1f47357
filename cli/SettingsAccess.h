#pragma once

#include <QString>

#include <optional>

// Why the settings file cannot be read, said with its name: missing (only when the user named
// it: the default file is made by the window's first save), not a regular file, unreadable or
// over the size the store reads. Nothing when it can be read, or is a default file not yet made.
// A command that calculated without the file would give a price without fees, as if right.
std::optional<QString> settingsProblem(const QString& path, bool named, bool english);
