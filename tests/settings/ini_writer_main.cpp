// A second copy of the program, as far as the settings file is concerned.
//   ini_writer write <file> <prefix> <count>: writes keys <prefix>0.. one call at a time; exits
//       with 1 at the first write refused
//   ini_writer rewrite <file> <key>: writes the key again and again, says "writing" after the first
//       write, and ends when its input ends; exits with 1 at the first write refused
//   ini_writer hold <file>: takes the file's write lock, says "locked", and lets it go and ends
//       when its input ends (or waits to be killed)
#include "IniFile.h"
#include "IniLock.h"
#include "IniStore.h"

#include <QCoreApplication>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

int writeKeys(const QString& path, const QString& prefix, int count)
{
    const IniStore store(path);
    for (int i = 0; i < count; ++i) {
        if (!store.Ecrire_Ini(QStringLiteral("Vantrelle"), prefix + QString::number(i),
                              QString::number(i)))
            return 1;
    }
    return 0;
}

int rewriteKey(const QString& path, const QString& key)
{
    std::atomic<bool> inputEnded = false;
    std::thread reader([&inputEnded] {
        while (std::getchar() != EOF) {
        }
        inputEnded = true;
    });
    const IniStore store(path);
    int status = 0;
    for (int turn = 0; !inputEnded; ++turn) {
        if (!store.Ecrire_Ini(QStringLiteral("Vantrelle"), key, QString::number(turn))) {
            status = 1;
            break;
        }
        if (turn == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
    reader.join();
    return status;
}

int holdLock(const QString& path)
{
    IniLock lock(IniFile::resolvedPath(path));
    if (!lock.acquire(std::chrono::milliseconds::zero()))
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("write"))
        return writeKeys(args[2], args[3], args[4].toInt());
    if (args.size() == 4 && args[1] == QLatin1String("rewrite"))
        return rewriteKey(args[2], args[3]);
    if (args.size() == 3 && args[1] == QLatin1String("hold"))
        return holdLock(args[2]);
    std::fputs("usage: ini_writer write <file> <prefix> <count> | rewrite <file> <key> | hold "
               "<file> | spin\n",
               stderr);
    return 2;
}
