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
