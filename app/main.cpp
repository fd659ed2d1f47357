#include "Fen_principale.h"
#include "MessageBoxMessenger.h"
#include "SettingsLocation.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrelle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrelle Ostrapine"));
    QApplication::setApplicationVersion(QStringLiteral(VANTRELLE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Vantrelle"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantrelle.png")));

    MessageBoxMessenger messenger;
    Fen_principale window(IniStore(defaultSettingsPath()), messenger,
                          QStringLiteral(VANTRELLE_VERSION));
    window.show();
    return QApplication::exec();
}
