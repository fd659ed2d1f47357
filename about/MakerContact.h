#pragma once

#include <QString>

// How to reach the maker, shown in the About box and handed to the mail program and browser.
inline QString makerEmailAddress()
{
    return QStringLiteral("contact@vantrelle.fr");
}

inline QString makerWebAddress()
{
    return QStringLiteral("https://www.vantrelle.fr");
}

// Subject of the e-mail started from the About box; the same in both languages.
inline QString makerEmailSubject()
{
    return QStringLiteral("Demande d'informations");
}
