#include "Fen_principale.h"
#include "MessageBoxMessenger.h"
#include "ProgramIcon.h"
#include "SettingsLocation.h"
#include "Version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrelle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrelle Ostrapine"));
    QApplication::setApplicationVersion(programVersion());
    QApplication::setOrganizationName(QStringLiteral("Vantrelle"));
    // The id of the installed menu entry: Wayland shells match the window to it by this name,
    // which gives the window its entry's icon and name in the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.vantrelle.Ostrapine"));
    QApplication::setWindowIcon(programIcon());

    MessageBoxMessenger messenger;
    Fen_principale window(IniStore(defaultSettingsPath()), messenger, programVersion());
    window.show();
    return QApplication::exec();
}
