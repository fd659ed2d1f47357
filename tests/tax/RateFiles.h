#pragma once

#include "IniStore.h"

#include <QByteArray>
#include <QStringList>

// A settings file holding the three rates, and the three rates a store holds.
inline QByteArray rateFile(const QByteArray& t1, const QByteArray& t2, const QByteArray& t3)
{
    return "[Vantrelle]\r\nT1=" + t1 + "\r\nT2=" + t2 + "\r\nT3=" + t3 + "\r\n";
}

inline QStringList storedRates(const IniStore& store)
{
    QStringList values;
    for (const char* key : {"T1", "T2", "T3"})
        values << store.Lire_Ini(QStringLiteral("Vantrelle"), QLatin1String(key));
    return values;
}
