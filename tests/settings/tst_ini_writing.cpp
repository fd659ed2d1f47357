#include "IniStore.h"
#include "TempSettings.h"

#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

using Entries = QList<std::pair<QString, QString>>;

class IniWritingTest : public QObject
{
    Q_OBJECT

private slots:
    void writesKey_data();
    void writesKey();
    void refusesWrite_data();
    void refusesWrite();
    void refusedWriteCreatesNoFile();
    void neverWritesUtf16File();
    void editsWindowsFileInPlace();
    void firstWriteCreatesFile();
    void lastWriterWins();
    void writeKeysEqualsSingleWrites_data();
    void writeKeysEqualsSingleWrites();
    void writeKeysInOrder();
};

void IniWritingTest::writesKey_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");

    const QString v = u"Vantrelle"_s;

    // Replacing an existing key
    QTest::newRow("replace keeps crlf") << "[Vantrelle]\r\nT1=10\r\nT2=26\r\n"_ba << v << u"T1"_s
                                        << u"12"_s << "[Vantrelle]\r\nT1=12\r\nT2=26\r\n"_ba;
    QTest::newRow("replace keeps lf") << "[Vantrelle]\nT1=10\nT2=26\n"_ba << v << u"T1"_s << u"12"_s
                                      << "[Vantrelle]\nT1=12\nT2=26\n"_ba;
    QTest::newRow("replace keeps lone cr") << "[Vantrelle]\rT1=10\rT2=26\r"_ba << v << u"T1"_s
                                           << u"12"_s << "[Vantrelle]\rT1=12\rT2=26\r"_ba;
    QTest::newRow("replace keeps missing terminator")
        << "[Vantrelle]\r\nT1=10"_ba << v << u"T1"_s << u"12"_s << "[Vantrelle]\r\nT1=12"_ba;
    QTest::newRow("replace keeps key spelling")
        << "[vantrelle]\r\n  t1 = 10 \r\n"_ba << v << u"T1"_s << u"12"_s
        << "[vantrelle]\r\nt1=12\r\n"_ba;
    QTest::newRow("replace quoted value") << "[Vantrelle]\r\nT1=\"10\"\r\n"_ba << v << u"T1"_s
                                          << u"12"_s << "[Vantrelle]\r\nT1=12\r\n"_ba;
    QTest::newRow("replace first duplicate key")
        << "[Vantrelle]\r\nT1=1\r\nT1=2\r\n"_ba << v << u"T1"_s << u"9"_s
        << "[Vantrelle]\r\nT1=9\r\nT1=2\r\n"_ba;
    QTest::newRow("replace with empty value")
        << "[Vantrelle]\r\nF3=5\r\n"_ba << v << u"F3"_s << QString() << "[Vantrelle]\r\nF3=\r\n"_ba;
    QTest::newRow("replace when only case differs")
        << "[Vantrelle]\r\nC=a\r\n"_ba << v << u"C"_s << u"A"_s << "[Vantrelle]\r\nC=A\r\n"_ba;
    QTest::newRow("value written verbatim") << "[Vantrelle]\r\nT1=10\r\n"_ba << v << u"T1"_s
                                            << u" 5 ;x"_s << "[Vantrelle]\r\nT1= 5 ;x\r\n"_ba;
    QTest::newRow("replace keeps cr cr lf") << "[Vantrelle]\r\r\nT1=1\r\r\n"_ba << v << u"T1"_s
                                            << u"2"_s << "[Vantrelle]\r\r\nT1=2\r\r\n"_ba;
    QTest::newRow("section line with trailing text")
        << "[Vantrelle]junk\r\nA=1\r\n"_ba << v << u"A"_s << u"2"_s
        << "[Vantrelle]junk\r\nA=2\r\n"_ba;
    QTest::newRow("replace accented key without case")
        << "[R\xE9glages]\r\n\xC9t\xE9=1\r\n"_ba << u"RÉGLAGES"_s << u"été"_s << u"2"_s
        << "[R\xE9glages]\r\n\xC9t\xE9=2\r\n"_ba;
    QTest::newRow("bom kept") << "\xEF\xBB\xBF[Vantrelle]\r\nT1=1"_ba << v << u"T1"_s << u"2"_s
                              << "\xEF\xBB\xBF[Vantrelle]\r\nT1=2"_ba;
    QTest::newRow("asked names trimmed") << "[Vantrelle]\r\nT1=1\r\n"_ba << u" Vantrelle "_s
                                         << u"\tT1 "_s << u"2"_s << "[Vantrelle]\r\nT1=2\r\n"_ba;

    // Same value: nothing written
    QTest::newRow("same value") << "[Vantrelle]\r\n  T1 = 10  \r\n"_ba << v << u"t1"_s << u"10"_s
                                << "[Vantrelle]\r\n  T1 = 10  \r\n"_ba;
    QTest::newRow("same value once unquoted")
        << "[Vantrelle]\nT1='10'"_ba << v << u"T1"_s << u"10"_s << "[Vantrelle]\nT1='10'"_ba;
    QTest::newRow("same empty value")
        << "[Vantrelle]\r\nF3=\r\n"_ba << v << u"F3"_s << QString() << "[Vantrelle]\r\nF3=\r\n"_ba;

    // Inserting into an existing section
    QTest::newRow("insert after last key, comment stays below")
        << "[Vantrelle]\r\nA=1\r\n; note\r\n\r\n[Other]\r\nX=1\r\n"_ba << v << u"B"_s << u"2"_s
        << "[Vantrelle]\r\nA=1\r\nB=2\r\n; note\r\n\r\n[Other]\r\nX=1\r\n"_ba;
    QTest::newRow("insert after section line without keys")
        << "[Vantrelle]\r\n; note\r\n[Other]\r\n"_ba << v << u"B"_s << u"2"_s
        << "[Vantrelle]\r\nB=2\r\n; note\r\n[Other]\r\n"_ba;
    QTest::newRow("insert after unterminated last key")
        << "[Vantrelle]\r\nA=1"_ba << v << u"B"_s << u"2"_s << "[Vantrelle]\r\nA=1\r\nB=2\r\n"_ba;
    QTest::newRow("insert after unterminated section line")
        << "[Vantrelle]"_ba << v << u"B"_s << u"2"_s << "[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("inserted line ends with crlf in lf file")
        << "[Vantrelle]\nA=1\n"_ba << v << u"B"_s << u"2"_s << "[Vantrelle]\nA=1\nB=2\r\n"_ba;
    QTest::newRow("insert after lone cr line") << "[Vantrelle]\r\r\nT1=1\r\r\n"_ba << v << u"B"_s
                                               << u"2"_s << "[Vantrelle]\r\r\nT1=1\rB=2\r\n\r\n"_ba;
    QTest::newRow("insert missing key with empty value")
        << "[Vantrelle]\r\nA=1\r\n"_ba << v << u"B"_s << QString()
        << "[Vantrelle]\r\nA=1\r\nB=\r\n"_ba;
    QTest::newRow("insert into first duplicate section")
        << "[Vantrelle]\r\nA=1\r\n[Vantrelle]\r\nT1=2\r\n"_ba << v << u"T1"_s << u"9"_s
        << "[Vantrelle]\r\nA=1\r\nT1=9\r\n[Vantrelle]\r\nT1=2\r\n"_ba;
    QTest::newRow("line without equals is not the key")
        << "[Vantrelle]\r\nT1\r\n"_ba << v << u"T1"_s << u"1"_s
        << "[Vantrelle]\r\nT1=1\r\nT1\r\n"_ba;
    QTest::newRow("commented key is not the key")
        << "[Vantrelle]\r\n;T1=5\r\n"_ba << v << u"T1"_s << u"9"_s
        << "[Vantrelle]\r\nT1=9\r\n;T1=5\r\n"_ba;
    QTest::newRow("key before first section untouched")
        << "T1=5\r\n[Vantrelle]\r\n"_ba << v << u"T1"_s << u"9"_s
        << "T1=5\r\n[Vantrelle]\r\nT1=9\r\n"_ba;
    QTest::newRow("new key in windows-1252") << "[Vantrelle]\r\n"_ba << v << u"clé"_s << u"5 €"_s
                                             << "[Vantrelle]\r\ncl\xE9=5 \x80\r\n"_ba;

    // A file an editor saved in UTF-8 stays in UTF-8; any other stays in the code page.
    QTest::newRow("utf-8 file: new key in utf-8") << "[Vantrelle]\r\nNom=Cr\xC3\xA9"
                                                     "dit\r\n"_ba
                                                  << v << u"clé"_s << u"5 €"_s
                                                  << "[Vantrelle]\r\nNom=Cr\xC3\xA9"
                                                     "dit\r\ncl\xC3\xA9=5 \xE2\x82\xAC\r\n"_ba;
    QTest::newRow("utf-8 file: accented section and key found")
        << "[R\xC3\xA9glages]\r\n\xC3\x89t\xC3\xA9=1\r\n"_ba << u"RÉGLAGES"_s << u"été"_s
        << u"Ωmega"_s << "[R\xC3\xA9glages]\r\n\xC3\x89t\xC3\xA9=\xCE\xA9mega\r\n"_ba;
    QTest::newRow("utf-8 file: new section in utf-8")
        << "[Autre]\r\nA=\xC3\xA9\r\n"_ba << u"Barème: Société"_s << u"F1"_s << u"2"_s
        << "[Autre]\r\nA=\xC3\xA9\r\n[Bar\xC3\xA8me: Soci\xC3\xA9t\xC3\xA9]\r\nF1=2\r\n"_ba;
    QTest::newRow("bom and ascii: utf-8")
        << "\xEF\xBB\xBF[Vantrelle]\r\nA=1\r\n"_ba << v << u"A"_s << u"é"_s
        << "\xEF\xBB\xBF[Vantrelle]\r\nA=\xC3\xA9\r\n"_ba;
    QTest::newRow("bom before windows-1252 bytes: windows-1252")
        << "\xEF\xBB\xBF[Vantrelle]\r\nA=\xE9\r\n"_ba << v << u"B"_s << u"é"_s
        << "\xEF\xBB\xBF[Vantrelle]\r\nA=\xE9\r\nB=\xE9\r\n"_ba;
    QTest::newRow("ascii alone: windows-1252")
        << "[Vantrelle]\r\nA=1\r\n"_ba << v << u"A"_s << u"é"_s << "[Vantrelle]\r\nA=\xE9\r\n"_ba;
    QTest::newRow("overlong utf-8 form: windows-1252")
        << "[Vantrelle]\r\nA=\xC0\xAF\r\n"_ba << v << u"B"_s << u"é"_s
        << "[Vantrelle]\r\nA=\xC0\xAF\r\nB=\xE9\r\n"_ba;
    QTest::newRow("utf-8 surrogate: windows-1252")
        << "[Vantrelle]\r\nA=\xED\xA0\x80\r\n"_ba << v << u"B"_s << u"é"_s
        << "[Vantrelle]\r\nA=\xED\xA0\x80\r\nB=\xE9\r\n"_ba;
    QTest::newRow("utf-8 cut short at the end: windows-1252")
        << "[Vantrelle]\r\nA=\xE2\x82"_ba << v << u"B"_s << u"é"_s
        << "[Vantrelle]\r\nA=\xE2\x82\r\nB=\xE9\r\n"_ba;
    QTest::newRow("utf-8 four bytes") << "[Vantrelle]\r\nA=\xF0\x9F\x93\x88\r\n"_ba << v << u"A"_s
                                      << u"📉"_s << "[Vantrelle]\r\nA=\xF0\x9F\x93\x89\r\n"_ba;

    // Appending the section
    QTest::newRow("append section") << "[Other]\r\nX=1\r\n"_ba << v << u"B"_s << u"2"_s
                                    << "[Other]\r\nX=1\r\n[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("append after unterminated last line")
        << "[Other]\r\nX=1"_ba << v << u"B"_s << u"2"_s
        << "[Other]\r\nX=1\r\n[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("append to lf file") << "[Other]\nX=1\n"_ba << v << u"B"_s << u"2"_s
                                       << "[Other]\nX=1\n[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("append after lone cr") << "[Other]\rX=1\r"_ba << v << u"B"_s << u"2"_s
                                          << "[Other]\rX=1\r[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("append to empty file")
        << QByteArray() << v << u"B"_s << u"2"_s << "[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("append to bom-only file")
        << "\xEF\xBB\xBF"_ba << v << u"B"_s << u"2"_s << "\xEF\xBB\xBF[Vantrelle]\r\nB=2\r\n"_ba;
    QTest::newRow("append when only keys before sections")
        << "T1=5"_ba << v << u"T1"_s << u"9"_s << "T1=5\r\n[Vantrelle]\r\nT1=9\r\n"_ba;
    QTest::newRow("append keeps nul bytes")
        << "a\0b\r\n"_ba << v << u"B"_s << u"2"_s << "a\0b\r\n[Vantrelle]\r\nB=2\r\n"_ba;
}

void IniWritingTest::writesKey()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);

    const TempSettings settings;
    settings.setContents(file);
    QVERIFY(settings.store().Ecrire_Ini(section, key, value));
    QCOMPARE(settings.contents(), expected);
}

void IniWritingTest::refusesWrite_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QString v = u"Vantrelle"_s;
    QTest::newRow("cr in value") << v << u"T1"_s << u"1\r2"_s;
    QTest::newRow("lf in value") << v << u"T1"_s << u"1\n[x]"_s;
    QTest::newRow("nul in value") << v << u"T1"_s << QString(u"1\0002"_s);
    QTest::newRow("cr in key") << v << u"T\r1"_s << u"1"_s;
    QTest::newRow("lf in key") << v << u"T\n1"_s << u"1"_s;
    QTest::newRow("nul in key") << v << QString(u"T\0001"_s) << u"1"_s;
    QTest::newRow("cr in section") << u"Van\rtrelle"_s << u"T1"_s << u"1"_s;
    QTest::newRow("lf in section") << u"Van\ntrelle"_s << u"T1"_s << u"1"_s;
    QTest::newRow("nul in section") << QString(u"Van\0trelle"_s) << u"T1"_s << u"1"_s;
    QTest::newRow("equals in key") << v << u"T1=2"_s << u"1"_s;
    QTest::newRow("key starting with semicolon") << v << u";T1"_s << u"1"_s;
    QTest::newRow("key starting with bracket") << v << u"[T1"_s << u"1"_s;
    QTest::newRow("key starting with semicolon after blanks") << v << u"  ;T1"_s << u"1"_s;
    QTest::newRow("bracket in section") << u"Van]trelle"_s << u"T1"_s << u"1"_s;
    QTest::newRow("empty key") << v << QString() << u"1"_s;
    QTest::newRow("blank key") << v << u" \t"_s << u"1"_s;
    QTest::newRow("empty section") << QString() << u"T1"_s << u"1"_s;
    QTest::newRow("value outside windows-1252") << v << u"T1"_s << u"Ω"_s;
    QTest::newRow("key outside windows-1252") << v << u"T😀"_s << u"1"_s;
    QTest::newRow("section outside windows-1252") << u"Łódź"_s << u"T1"_s << u"1"_s;
    QTest::newRow("nul byte in the value") << v << u"F1"_s << u"7"_s + QChar(0) + u"5"_s;
    QTest::newRow("undefined c1 control") << v << u"T1"_s << u"\u0080"_s;
}

void IniWritingTest::refusesWrite()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray file = "; settings\r\n[Vantrelle]\r\nT1=10\r\n"_ba;
    const TempSettings settings;
    settings.setContents(file);
    QVERIFY(!settings.store().Ecrire_Ini(section, key, value));
    QCOMPARE(settings.contents(), file);
}

void IniWritingTest::refusedWriteCreatesNoFile()
{
    const TempSettings settings;
    QVERIFY(!settings.store().Ecrire_Ini(u"Vantrelle"_s, u"T1"_s, u"a\r\nb"_s));
    QVERIFY(!settings.exists());
}

void IniWritingTest::neverWritesUtf16File()
{
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    const QByteArray body = encoder(u"[Vantrelle]\r\nT1=10\r\n"_s);
    const QByteArray file = "\xFF\xFE"_ba + body;
    const TempSettings settings;
    settings.setContents(file);
    QVERIFY(!settings.store().Ecrire_Ini(u"Vantrelle"_s, u"T1"_s, u"12"_s));
    QVERIFY(!settings.store().Ecrire_Ini(u"Vantrelle"_s, u"T2"_s, u"26"_s));
    QCOMPARE(settings.contents(), file);
}

void IniWritingTest::editsWindowsFileInPlace()
{
    const QByteArray head = "; Settings of the share price calculator\r\n"
                            "[Affichage]\r\n"
                            "Largeur = 800\r\n"
                            "\r\n"
                            "[Vantrelle]\r\n"
                            "C=F\r\n"
                            "T1=10\r\n"_ba;
    const QByteArray tail = "FB1=0\r\n"
                            "; end of the brackets\r\n"
                            "\r\n"
                            "[Autre]\r\n"
                            "T2=99\r\n"_ba;
    const TempSettings settings;
    settings.setContents(head + "T2=26\r\n"_ba + tail);
    const IniStore store = settings.store();

    QVERIFY(store.Ecrire_Ini(u"Vantrelle"_s, u"T2"_s, u"30"_s));
    QCOMPARE(settings.contents(), head + "T2=30\r\n"_ba + tail);

    QVERIFY(store.Ecrire_Ini(u"Vantrelle"_s, u"Mini"_s, u"7.5"_s));
    QCOMPARE(settings.contents(), head + "T2=30\r\nFB1=0\r\nMini=7.5\r\n"_ba +
                                      "; end of the brackets\r\n\r\n[Autre]\r\nT2=99\r\n"_ba);
    QCOMPARE(store.Lire_Ini(u"Autre"_s, u"T2"_s), u"99"_s);
    QCOMPARE(store.Lire_Ini(u"Affichage"_s, u"largeur"_s), u"800"_s);
}

void IniWritingTest::firstWriteCreatesFile()
{
    const TempSettings settings;
    QVERIFY(settings.store().Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"F"_s));
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=F\r\n"_ba);
    QCOMPARE(settings.store().Lire_Ini(u"Vantrelle"_s, u"C"_s), u"F"_s);
}

void IniWritingTest::lastWriterWins()
{
    const TempSettings settings;
    const IniStore first(settings.path());
    const IniStore second(settings.path());
    QVERIFY(first.Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"A"_s));
    QVERIFY(second.Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"F"_s));
    QCOMPARE(first.Lire_Ini(u"Vantrelle"_s, u"C"_s), u"F"_s);
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=F\r\n"_ba);
}

void IniWritingTest::writeKeysEqualsSingleWrites_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");

    QTest::newRow("no file") << QByteArray() << u"Vantrelle"_s;
    QTest::newRow("other section only") << "[Autre]\nX=1"_ba << u"Vantrelle"_s;
    QTest::newRow("some keys present")
        << "[Vantrelle]\r\nC=F\r\nfb1=3\r\n; c\r\nP1=Faux\r\n\r\n[Autre]\r\nF1=1\r\n"_ba
        << u"Vantrelle"_s;
    QTest::newRow("duplicates and odd lines")
        << "F1=0\r\n[VANTRELLE]\rFH2 = \"5\"\r\nbare\nFH2=6\r[Vantrelle]\nMini=1"_ba
        << u"Vantrelle"_s;
    QTest::newRow("refused section") << "[Vantrelle]\r\nC=F\r\n"_ba << u"Van]trelle"_s;
}

void IniWritingTest::writeKeysEqualsSingleWrites()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);

    Entries entries;
    for (int n = 1; n <= 5; ++n) {
        const QString number = QString::number(n);
        entries.append({u"FB"_s + number, QString::number(n * 100)});
        entries.append({u"FH"_s + number, n == 5 ? u"99999999"_s : QString::number(n * 100 + 99)});
        entries.append({u"F"_s + number, n == 2 ? QString() : QString::number(n) + u".5"_s});
        entries.append({u"P"_s + number, n % 2 ? u"Vrai"_s : u"Faux"_s});
        entries.append({u"V"_s + number, n % 2 ? u"Faux"_s : u"Vrai"_s});
    }
    entries.append({u"Mini"_s, u"5"_s});
    entries.append({u"Maxi"_s, u"50"_s});
    entries.append({u"FB1"_s, u"0"_s}); // written twice: the second value stays

    const TempSettings together;
    together.setContents(file);
    const TempSettings oneByOne;
    oneByOne.setContents(file);

    // A batch with one key the file cannot hold writes none of them.
    Entries withBadKey = entries;
    withBadKey.insert(7, {u"bad=key"_s, u"1"_s});
    QVERIFY(!together.store().writeKeys(section, withBadKey));
    QCOMPARE(together.contents(), file);

    const bool togetherStored = together.store().writeKeys(section, entries);
    bool allStored = true;
    for (const auto& [key, value] : entries)
        allStored = oneByOne.store().Ecrire_Ini(section, key, value) && allStored;

    QCOMPARE(togetherStored, allStored);
    QCOMPARE(together.contents(), oneByOne.contents());
}

void IniWritingTest::writeKeysInOrder()
{
    const TempSettings settings;
    settings.setContents("[Vantrelle]\r\nFB1=0\r\n; fees\r\n"_ba);
    const Entries entries = {{u"FB1"_s, u"5"_s}, {u"FH1"_s, u"10"_s}, {u"P1"_s, u"Vrai"_s}};
    QVERIFY(settings.store().writeKeys(u"Vantrelle"_s, entries));
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nFB1=5\r\nFH1=10\r\nP1=Vrai\r\n; fees\r\n"_ba);
    QVERIFY(settings.store().writeKeys(u"Vantrelle"_s, entries));
    QVERIFY(settings.store().writeKeys(u"Vantrelle"_s, {}));
}

QTEST_GUILESS_MAIN(IniWritingTest)
#include "tst_ini_writing.moc"
