#include "IniLock.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

namespace {

// Long enough for a waiting writer to sleep rather than spin, short against a save. Each pause is
// drawn at random so that writers waiting together do not try in step.
constexpr int shortestPauseMicroseconds = 500;
constexpr int longestPauseMicroseconds = 3000;

bool namesOtherHost(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return false;
    return !host.isEmpty() && host != QSysInfo::machineHostName();
}

// The holder is looked at before each try: it may change while we wait, from a copy on another
// machine to one here.
bool tryOnce(QLockFile& lock)
{
    lock.setStaleLockTime(namesOtherHost(lock) ? IniLock::staleAgeOfOtherHost : IniLock::staleAge);
    return lock.tryLock(std::chrono::milliseconds::zero());
}

} // namespace

IniLock::IniLock(const QString& filePath)
    : m_lock(filePath + QLatin1String(".lock")), m_turn(filePath + QLatin1String(".lock.next"))
{}

bool IniLock::acquire(std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    for (;;) {
        if (!turnTakenByAnother()) {
            if (tryOnce(m_lock)) {
                m_turn.unlock();
                return true;
            }
            if (m_lock.error() != QLockFile::LockFailedError)
                return false;
        }
        if (!m_turn.isLocked())
            tryOnce(m_turn);
        if (deadline.hasExpired())
            return false;
        QThread::usleep(QRandomGenerator::global()->bounded(shortestPauseMicroseconds,
                                                            longestPauseMicroseconds));
    }
}

bool IniLock::turnTakenByAnother() const
{
    return !m_turn.isLocked() && QFileInfo::exists(m_turn.fileName());
}
