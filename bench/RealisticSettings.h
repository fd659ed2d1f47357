#pragma once

#include <QByteArray>

// A settings file as a user's would look after some use, CRLF endings included: a five-bracket
// schedule mixing fixed and percentage fees, a minimum and a maximum fee, the three tax rates
// and the language.
inline QByteArray realisticSettings()
{
    return QByteArrayLiteral("; Frais de courtage de mon courtier\r\n"
                             "[Vantrelle]\r\n"
                             "C=F\r\n"
                             "FB1=0\r\nFH1=500\r\nF1=1.99\r\nP1=Faux\r\nV1=Vrai\r\n"
                             "FB2=500\r\nFH2=2000\r\nF2=3.8\r\nP2=Faux\r\nV2=Vrai\r\n"
                             "FB3=2000\r\nFH3=10000\r\nF3=0.2\r\nP3=Vrai\r\nV3=Faux\r\n"
                             "FB4=10000\r\nFH4=50000\r\nF4=0.15\r\nP4=Vrai\r\nV4=Faux\r\n"
                             "FB5=50000\r\nFH5=99999999\r\nF5=0.1\r\nP5=Vrai\r\nV5=Faux\r\n"
                             "Mini=1.99\r\nMaxi=50\r\n"
                             "T1=10\r\nT2=26\r\nT3=32.50\r\n");
}

// The realistic settings behind a section of another program that fills the file up to just
// below the 16 MiB the program reads.
inline QByteArray largeSettings(const QByteArray& ours = realisticSettings())
{
    constexpr qsizetype limit = 16 * 1024 * 1024;
    QByteArray file = "[Autre]\r\n";
    file.reserve(limit);
    const QByteArray value = '=' + QByteArray(60, 'v') + "\r\n";
    for (int i = 0; file.size() + ours.size() + 80 < limit; ++i)
        file += "cle" + QByteArray::number(i) + value;
    return file + ours;
}

// The realistic settings with more schedules, each a section of its own as the program writes
// them, the schedule in use named "Courtier 1" and the others "Courtier 2" up to the count.
inline QByteArray settingsWithSchedules(int count)
{
    QByteArray file = realisticSettings() + "Bar\xE8me=Courtier 1\r\n";
    for (int n = 2; n <= count; ++n) {
        file += "[Bar\xE8me: Courtier " + QByteArray::number(n) + "]\r\n";
        file += "FB1=0\r\nFH1=" + QByteArray::number(500 * n) + "\r\nF1=" + QByteArray::number(n) +
                "\r\nP1=Faux\r\nV1=Vrai\r\nFB2=" + QByteArray::number(500 * n) +
                "\r\nFH2=99999999\r\nF2=0." + QByteArray::number(n) + "\r\nP2=Vrai\r\nV2=Faux\r\n";
        for (int b = 3; b <= 5; ++b) {
            const QByteArray i = QByteArray::number(b);
            file += "FB" + i + "=\r\nFH" + i + "=\r\nF" + i + "=\r\nP" + i + "=Faux\r\nV" + i +
                    "=Vrai\r\n";
        }
        file += "Mini=" + QByteArray::number(n) + "\r\nMaxi=" + QByteArray::number(10 * n) + "\r\n";
    }
    return file;
}

inline QByteArray settingsWithTenSchedules()
{
    return settingsWithSchedules(10);
}
