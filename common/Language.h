#pragma once

#include <QString>

// The language code stored under key "C": only the exact value "A" means English.
inline bool isEnglish(const QString& languageCode)
{
    return languageCode == QLatin1String("A");
}

// Picks the text for the language at hand.
inline QString pick(bool english, const QString& french, const QString& englishText)
{
    return english ? englishText : french;
}

// Picks the text for the language code at hand.
inline QString pick(const QString& languageCode, const QString& french, const QString& english)
{
    return pick(isEnglish(languageCode), french, english);
}
