#include "ProgramIcon.h"

#include <QString>

QIcon programIcon()
{
    // The icon's resources sit in a static library, whose unreferenced objects the linker leaves
    // out of the program: naming them here pulls them in. Registering twice is harmless.
    Q_INIT_RESOURCE(vantrelle);
    return QIcon(QStringLiteral(":/icons/vantrelle.png"));
}
