#pragma once

#include <QString>

// Every key of the program lives in this one section of the settings file.
inline QString settingsSection()
{
    return QStringLiteral("Vantrelle");
}

inline QString languageKey()
{
    return QStringLiteral("C");
}
