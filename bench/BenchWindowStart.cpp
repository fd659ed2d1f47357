// Starts the calculator as main.cpp does, over the settings file named on the command line and
// with messages counted instead of shown, and ends as soon as the window is on screen. Prints
// nothing; exits with 3 when the start showed a message, which would spoil the timing.

#include "Capabilities.h"
#include "Fen_principale.h"
#include "ProgramIcon.h"
#include "QuitOnFirstExpose.h"
#include "RecordingMessenger.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_window_start SETTINGS_FILE\n");
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("vantrelle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrelle Ostrapine"));
    QApplication::setApplicationVersion(programVersion());
    QApplication::setOrganizationName(QStringLiteral("Vantrelle"));
    QApplication::setWindowIcon(programIcon());

    RecordingMessenger messenger;
    const IniStore store(QString::fromLocal8Bit(argv[1]));
    Fen_principale window(store, messenger, programVersion());
    plugCapabilities(window, store, messenger);
    QuitOnFirstExpose quitWhenShown;
    window.show();
    const int status = QApplication::exec();
    return status == 0 && messenger.shown > 0 ? 3 : status;
}
