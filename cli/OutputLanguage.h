#pragma once

#include <QLocale>
#include <QString>

// The command line writes in the language of the locale: French where the locale's language is
// French, English everywhere else. The window's own texts pick theirs from a language code, so
// the command line hands them the code that stands for its language.
inline bool writesEnglish(const QLocale& locale)
{
    return locale.language() != QLocale::French;
}

inline QString languageCodeFor(bool english)
{
    return english ? QStringLiteral("A") : QStringLiteral("F");
}
