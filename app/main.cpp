#include "Capabilities.h"
#include "CommandLine.h"
#include "Fen_principale.h"
#include "MessageBoxMessenger.h"
#include "ProgramIcon.h"
#include "Version.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void nameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("vantrelle"));
    QCoreApplication::setApplicationVersion(programVersion());
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrelle"));
}

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int runWithoutWindow(const CommandLine& commandLine)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return commandLine.run(out, err, programVersion());
}

} // namespace

int main(int argc, char* argv[])
{
    // Help, the version and the calculation need no display: they run before any window system
    // is looked for.
    const CommandLine commandLine(argumentsOf(argc, argv));
    if (commandLine.mode() != CommandLine::Mode::Window && !commandLine.namesToolkitOptions()) {
        QCoreApplication app(argc, argv);
        nameProgram();
        return runWithoutWindow(commandLine);
    }

    QApplication app(argc, argv);
    nameProgram();
    // The toolkit has now taken its own options out of the arguments.
    const CommandLine remaining(QCoreApplication::arguments());
    if (remaining.mode() != CommandLine::Mode::Window)
        return runWithoutWindow(remaining);

    QApplication::setApplicationDisplayName(QStringLiteral("Vantrelle Ostrapine"));
    // The id of the installed menu entry: Wayland shells match the window to it by this name,
    // which gives the window its entry's icon and name in the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.vantrelle.Ostrapine"));
    QApplication::setWindowIcon(programIcon());

    MessageBoxMessenger messenger;
    const IniStore store(remaining.settingsPath());
    Fen_principale window(store, messenger, programVersion());
    plugCapabilities(window, store, messenger);
    window.show();
    return QApplication::exec();
}
