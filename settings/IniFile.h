#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reading and atomically replacing the settings file, with the checks that keep a bad path (a
// directory, a FIFO, a symlink loop, a huge file) from blocking or exhausting the program.
namespace IniFile {

// Files above this size are neither read nor written.
constexpr qsizetype maxSize = 16 * 1024 * 1024;

// The file's bytes; empty when there is no file; nothing when the path exists but is not a
// regular file we can read, or the file is bigger than the limit.
std::optional<QByteArray> read(const QString& path, qsizetype limit = maxSize);

// Whether the file (or, when it is missing, its directory) may be replaced. The permission
// bits are checked as well as access(): for root, access() grants everything, and a rename
// would then overwrite a file the user has made read-only.
bool mayReplace(const QString& path);

// What tells one state of a file from another without reading it: a rewrite, which renames a new
// file over the old one, or an edit in place changes it. Equal for two missing files.
struct Identity
{
    qint64 device = -1;
    qint64 inode = -1;
    qint64 size = -1;
    qint64 modified = -1; // nanoseconds
    qint64 changed = -1;  // of the inode, nanoseconds

    bool operator==(const Identity&) const = default;
};
Identity identity(const QString& path);

// The file the path finally leads to, links followed (also a link to its folder); for a missing
// file, its real folder and its name. Every path to one file gives the same path here, so the
// lock and the temporary file made beside this path are shared by all of them.
QString resolvedPath(const QString& path);

// Writes the whole file, given by its resolved path, through a temporary file and a rename,
// keeping the old file's mode and, where allowed, its owner. Nothing changes when it fails.
// Only under the file's lock: the temporary file has a fixed name.
bool replace(const QString& resolvedPath, const QByteArray& bytes);

// Removes what saves of this file that were killed before their rename left beside it. Only
// under the file's lock, the one time when nobody can be writing such a file.
void removeLeftovers(const QString& resolvedPath);

} // namespace IniFile
