#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool permissionBitsAllowWriting(const QFileInfo& info)
{
    constexpr QFile::Permissions anyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

// The file without following it into a FIFO or a device: opening a FIFO for reading would wait
// for a writer. The check is made on the open descriptor so that nothing can swap the file in
// between.
bool openRegularFile(QFile& file, const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

// Chunk by chunk, so that a file that grows after its size was checked still stops at the limit
// and a small file costs no big buffer.
std::optional<QByteArray> readToEnd(QFile& file, qsizetype limit)
{
    QByteArray bytes;
    bytes.reserve(std::min<qint64>(file.size(), limit));
    std::array<char, 64 * 1024> chunk; // filled by read(), no need to clear it
    while (bytes.size() <= limit) {
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        bytes.append(chunk.data(), count);
    }
    return std::nullopt;
}

// The new file is written under this name and then renamed over the settings file. A save killed
// before its rename leaves this one name behind, which the next save recognises and removes; the
// random names QSaveFile gives its own temporary files could not be told from a user's
// "vantrelle.ini.backup", and would pile up.
QString stagingPath(const QString& resolvedPath)
{
    return resolvedPath + QLatin1String(".saving");
}

// QSaveFile's own temporary files, where the file system cannot make unnamed ones: the name it
// was given, a dot and six ASCII letters.
bool isTemporaryOf(const QString& name, const QString& stagingName)
{
    constexpr qsizetype randomLetters = 6;
    if (name.size() != stagingName.size() + 1 + randomLetters || !name.startsWith(stagingName) ||
        name[stagingName.size()] != QLatin1Char('.'))
        return false;
    return std::all_of(name.end() - randomLetters, name.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
}

void keepModeAndOwner([[maybe_unused]] const QSaveFile& replacement,
                      [[maybe_unused]] const QString& originalPath)
{
#ifdef Q_OS_UNIX
    struct stat original = {};
    if (::stat(QFile::encodeName(originalPath).constData(), &original) != 0)
        return;
    // The new file starts out with the mode of a new file.
    [[maybe_unused]] const int modeRefused =
        ::fchmod(replacement.handle(), original.st_mode & 0777);
    // Only root may give the file back to another user; for anyone else the owner is already
    // right, so a refusal is harmless.
    [[maybe_unused]] const int ownerRefused =
        ::fchown(replacement.handle(), original.st_uid, original.st_gid);
#endif
}

} // namespace

namespace IniFile {

std::optional<QByteArray> read(const QString& path, qsizetype limit)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        // A dangling link or a link loop is not a missing file that a write may create.
        if (info.isSymLink())
            return std::nullopt;
        return QByteArray();
    }
    if (!info.isFile() || info.size() > limit)
        return std::nullopt;

    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    return readToEnd(file, limit);
}

bool mayReplace(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !permissionBitsAllowWriting(info))
        return false;
    // The temporary file and the lock go beside the file the path leads to.
    const QFileInfo directory(QFileInfo(resolvedPath(path)).absolutePath());
    return directory.isDir() && permissionBitsAllowWriting(directory);
}

Identity identity(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    constexpr qint64 nano = 1000 * 1000 * 1000;
    return {qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * nano + status.st_mtim.tv_nsec,
            qint64(status.st_ctim.tv_sec) * nano + status.st_ctim.tv_nsec};
#else
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {0, 0, info.size(), info.lastModified().toMSecsSinceEpoch(),
            info.metadataChangeTime().toMSecsSinceEpoch()};
#endif
}

QString resolvedPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

bool replace(const QString& resolvedPath, const QByteArray& bytes)
{
    if (bytes.size() > maxSize)
        return false;
    const QString staging = stagingPath(resolvedPath);
    QSaveFile file(staging);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    keepModeAndOwner(file, resolvedPath);
    if (!file.commit())
        return false;
    if (std::rename(QFile::encodeName(staging).constData(),
                    QFile::encodeName(resolvedPath).constData()) != 0) {
        QFile::remove(staging);
        return false;
    }
    return true;
}

void removeLeftovers(const QString& resolvedPath)
{
    const QString staging = stagingPath(resolvedPath);
    QFile::remove(staging);
    const QFileInfo stagingInfo(staging);
    QDir folder = stagingInfo.absoluteDir();
    const QStringList names = folder.entryList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& name : names) {
        if (isTemporaryOf(name, stagingInfo.fileName()))
            folder.remove(name);
    }
}

} // namespace IniFile
