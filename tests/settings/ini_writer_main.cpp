// A second copy of the program, as far as the settings file is concerned.
//   ini_writer write <file> <prefix> <count>: writes keys <prefix>0.. one call at a time
//   ini_writer hold <file>: takes the file's write lock, says "locked" and waits to be killed
#include "IniStore.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QThread>

#include <cstdio>

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

int holdLock(const QString& path)
{
    QLockFile lock(path + QLatin1String(".lock"));
    if (!lock.tryLock(0))
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

} // namespace

int main(int argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("write"))
        return writeKeys(args[2], args[3], args[4].toInt());
    if (args.size() == 3 && args[1] == QLatin1String("hold"))
        return holdLock(args[2]);
    std::fputs("usage: ini_writer write <file> <prefix> <count> | hold <file>\n", stderr);
    return 2;
}
