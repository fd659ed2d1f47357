#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>

// The write lock of one settings file, shared by every running copy of the program: the file
// "<settings file>.lock", created and filled by QLockFile. A save holds it for milliseconds, so a
// waiting writer tries again every few milliseconds rather than with QLockFile's own growing
// pauses, which let a busy competitor take the lock again and again.
//
// Trying often is not enough against a copy that saves again the moment it has saved: the lock
// is free for microseconds only. So a writer that has had to wait claims the turn after the
// current holder, with a second lock file "<settings file>.lock.next"; while someone holds the
// turn, nobody else takes the lock, and the turn's holder gets it as soon as it is let go.
//
// A lock whose holder cannot be alive is taken over: one naming a process of this machine that
// no longer exists at once, an empty or unreadable one (a writer killed before it could fill
// it in) once it is a second old. A live holder is never robbed, however old its lock: QLockFile
// holds a flock() on the file, and removes a lock only after taking that flock itself.
class IniLock
{
public:
    // `filePath` is the file the settings path finally resolves to, so that every path to one
    // file shares one lock.
    explicit IniLock(const QString& filePath);

    // Waits for the lock for at most `wait`; false when it could not be had in that time or
    // cannot be created at all (a read-only folder).
    bool acquire(std::chrono::milliseconds wait);

    // A lock left by a copy of the program on another computer sharing the folder is judged by
    // its age alone, and that machine's clock may differ from ours: it is given longer.
    static constexpr std::chrono::milliseconds staleAge = std::chrono::seconds(1);
    static constexpr std::chrono::milliseconds staleAgeOfOtherHost = std::chrono::seconds(10);

private:
    bool turnTakenByAnother() const;

    QLockFile m_lock;
    QLockFile m_turn;
};
