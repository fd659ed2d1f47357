#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>

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
std::optional<QByteArray> readToEnd(QFile& file)
{
    QByteArray bytes;
    bytes.reserve(std::min<qint64>(file.size(), IniFile::maxSize));
    std::array<char, 64 * 1024> chunk; // filled by read(), no need to clear it
    while (bytes.size() <= IniFile::maxSize) {
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        bytes.append(chunk.data(), count);
    }
    return std::nullopt;
}

void keepOwner([[maybe_unused]] const QSaveFile& replacement,
               [[maybe_unused]] const QFileInfo& original)
{
#ifdef Q_OS_UNIX
    if (!original.exists())
        return;
    // Only root may give the file back to another user; for anyone else the owner is already
    // right, so a refusal is harmless.
    [[maybe_unused]] const int refused =
        ::fchown(replacement.handle(), original.ownerId(), original.groupId());
#endif
}

} // namespace

namespace IniFile {

std::optional<QByteArray> read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        // A dangling link or a link loop is not a missing file that a write may create.
        if (info.isSymLink())
            return std::nullopt;
        return QByteArray();
    }
    if (!info.isFile() || info.size() > maxSize)
        return std::nullopt;

    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    return readToEnd(file);
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

QString resolvedPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

bool replace(const QString& path, const QByteArray& bytes)
{
    if (bytes.size() > maxSize)
        return false;
    const QFileInfo original(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    keepOwner(file, original);
    return file.commit();
}

} // namespace IniFile
