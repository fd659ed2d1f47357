#include "Fen_principale.h"
#include "MessageBoxMessenger.h"
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
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantrelle.png")));

    MessageBoxMessenger messenger;
    Fen_principale window(IniStore(defaultSettingsPath()), messenger, programVersion());
    window.show();
    return QApplication::exec();
}
