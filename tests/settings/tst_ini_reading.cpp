#include "IniStore.h"
#include "TempSettings.h"

#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray utf16(const QString& text, QStringEncoder::Encoding encoding, const QByteArray& bom)
{
    QStringEncoder encoder(encoding);
    const QByteArray body = encoder(text);
    return bom + body;
}

} // namespace

class IniReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void readsKey_data();
    void readsKey();
    void missingFileReadsEmpty();
    void heldReadingFollowsTheFile();
};

void IniReadingTest::readsKey_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString v = u"Vantrelle"_s;

    // Line endings
    QTest::newRow("crlf") << "[Vantrelle]\r\nC=A\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("lf") << "[Vantrelle]\nC=A\nT1=10\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("lone cr") << "[Vantrelle]\rC=A\rT1=10\r"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("cr cr lf") << "[Vantrelle]\r\r\nT1=10\r\r\nT2=2"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("mixed endings") << "[Vantrelle]\nA=1\r\nB=2\rC=3"_ba << v << u"C"_s << u"3"_s;
    QTest::newRow("no final break") << "[Vantrelle]\r\nT1=10"_ba << v << u"T1"_s << u"10"_s;

    // Blanks
    QTest::newRow("blanks around key and value")
        << "[Vantrelle]\r\n \t T1\v\t= \v 10 \f\x1A\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("blanks around section name")
        << "[ \tVantrelle\x1A ]\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("blanks before section line")
        << " \t[Vantrelle]\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("blanks inside value kept")
        << "[Vantrelle]\r\nk= a  b \r\n"_ba << v << u"k"_s << u"a  b"_s;
    QTest::newRow("no-break space is not a blank")
        << "[Vantrelle]\r\nk=\xA0x\xA0\r\n"_ba << v << u"k"_s << u"\u00A0x\u00A0"_s;
    QTest::newRow("ctrl-z at end of line")
        << "[Vantrelle]\r\nT1=10\x1A"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("blanks around the asked names")
        << "[Vantrelle]\r\nT1=10\r\n"_ba << u" Vantrelle\t"_s << u" T1 "_s << u"10"_s;

    // Quotes
    QTest::newRow("double quotes") << "[Vantrelle]\r\nk=\"10\"\r\n"_ba << v << u"k"_s << u"10"_s;
    QTest::newRow("single quotes") << "[Vantrelle]\r\nk='10'\r\n"_ba << v << u"k"_s << u"10"_s;
    QTest::newRow("blanks inside quotes kept")
        << "[Vantrelle]\r\nk=  \" a \"  \r\n"_ba << v << u"k"_s << u" a "_s;
    QTest::newRow("mismatched quotes stay")
        << "[Vantrelle]\r\nk=\"a'\r\n"_ba << v << u"k"_s << u"\"a'"_s;
    QTest::newRow("lone quote stays") << "[Vantrelle]\r\nk=\"\r\n"_ba << v << u"k"_s << u"\""_s;
    QTest::newRow("empty quotes") << "[Vantrelle]\r\nk=\"\"\r\n"_ba << v << u"k"_s << QString();
    QTest::newRow("only one pair removed")
        << "[Vantrelle]\r\nk=\"\"a\"\"\r\n"_ba << v << u"k"_s << u"\"a\""_s;
    QTest::newRow("inner quotes stay")
        << "[Vantrelle]\r\nk=a\"b\"\r\n"_ba << v << u"k"_s << u"a\"b\""_s;
    QTest::newRow("key never unquoted")
        << "[Vantrelle]\r\n\"k\"=1\r\n"_ba << v << u"k"_s << QString();
    QTest::newRow("quoted key found as spelled")
        << "[Vantrelle]\r\n\"k\"=1\r\n"_ba << v << u"\"k\""_s << u"1"_s;
    QTest::newRow("section never unquoted")
        << "[\"Vantrelle\"]\r\nk=1\r\n"_ba << v << u"k"_s << QString();

    // Comments
    QTest::newRow("semicolon line is a comment")
        << "[Vantrelle]\r\n  ;T1=5\r\n"_ba << v << u"T1"_s << QString();
    QTest::newRow("comment does not end the section")
        << "[Vantrelle]\r\n; note\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("hash is ordinary text")
        << "[Vantrelle]\r\n#k=v\r\n"_ba << v << u"#k"_s << u"v"_s;
    QTest::newRow("hash key is not the plain key")
        << "[Vantrelle]\r\n#k=v\r\n"_ba << v << u"k"_s << QString();
    QTest::newRow("later semicolon is text")
        << "[Vantrelle]\r\nk=v ;c\r\n"_ba << v << u"k"_s << u"v ;c"_s;

    // Section lines
    QTest::newRow("text after bracket ignored")
        << "[a]b=c\r\nb=d\r\n"_ba << u"a"_s << u"b"_s << u"d"_s;
    QTest::newRow("text after bracket is not a key")
        << "[a]b=c\r\n"_ba << u"a"_s << u"b"_s << QString();
    QTest::newRow("no closing bracket") << "[Vantrelle\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("name ends at first bracket")
        << "[Vantrelle]]x]\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("bracket inside name")
        << "[[Vantrelle]\r\nT1=10\r\n"_ba << v << u"T1"_s << QString();
    QTest::newRow("empty section name") << "[]\r\nk=1\r\n"_ba << QString() << u"k"_s << QString();
    QTest::newRow("closing brackets line is not a key")
        << "[Vantrelle]\r\n]]\r\nk=1\r\n"_ba << v << u"]]"_s << QString();
    QTest::newRow("other section ends the search")
        << "[Vantrelle]\r\nA=1\r\n[Other]\r\nT1=9\r\n"_ba << v << u"T1"_s << QString();

    // Lines without "=" and keys outside any section
    QTest::newRow("line without equals")
        << "[Vantrelle]\r\nT1\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("bare word is not a key")
        << "[Vantrelle]\r\nk\r\n"_ba << v << u"k"_s << QString();
    QTest::newRow("key before first section")
        << "T1=5\r\n[Vantrelle]\r\nT2=1\r\n"_ba << v << u"T1"_s << QString();
    QTest::newRow("empty key name") << "[Vantrelle]\r\n=v\r\n"_ba << v << QString() << QString();
    QTest::newRow("value from the first equals")
        << "[Vantrelle]\r\nk==v\r\n"_ba << v << u"k"_s << u"=v"_s;

    // Duplicates
    QTest::newRow("first section searched")
        << "[Vantrelle]\r\nT1=1\r\n[Other]\r\n[Vantrelle]\r\nT2=2\r\n"_ba << v << u"T2"_s
        << QString();
    QTest::newRow("first duplicate key wins")
        << "[Vantrelle]\r\nT1=1\r\nT1=2\r\n"_ba << v << u"T1"_s << u"1"_s;
    QTest::newRow("key of another section")
        << "[Other]\r\nT1=9\r\n[Vantrelle]\r\nT2=2\r\n"_ba << v << u"T1"_s << QString();

    // Case
    QTest::newRow("names without case") << "[VANTRELLE]\r\nc=A\r\n"_ba << v << u"C"_s << u"A"_s;
    QTest::newRow("value keeps its case")
        << "[Vantrelle]\r\nP2=vRaI\r\n"_ba << v << u"p2"_s << u"vRaI"_s;
    QTest::newRow("accented names without case")
        << "[R\xE9glages]\r\n\xC9t\xE9=1\r\n"_ba << u"RÉGLAGES"_s << u"été"_s << u"1"_s;

    // Length
    const QByteArray long300(300, 'x');
    QTest::newRow("value cut to 254")
        << "[Vantrelle]\r\nk="_ba + long300 << v << u"k"_s << QString(254, u'x');
    QTest::newRow("value of 254 whole") << "[Vantrelle]\r\nk="_ba + QByteArray(254, 'y') + "\r\n"_ba
                                        << v << u"k"_s << QString(254, u'y');
    QTest::newRow("100000-character line")
        << "[Vantrelle]\r\nk="_ba + QByteArray(100000, 'z') + "\r\nT1=10\r\n"_ba << v << u"T1"_s
        << u"10"_s;

    // Encoding
    QTest::newRow("windows-1252 specials")
        << "[Vantrelle]\r\nk=\x80\x9C\xE9\r\n"_ba << v << u"k"_s << u"€œé"_s;
    QTest::newRow("undefined byte kept as control")
        << "[Vantrelle]\r\nk=a\x81\x8D\x8F\x90\x9D\r\n"_ba << v << u"k"_s
        << u"a\u0081\u008D\u008F\u0090\u009D"_s;
    QTest::newRow("utf-8 bom skipped")
        << "\xEF\xBB\xBF[Vantrelle]\r\nT1=10\r\n"_ba << v << u"T1"_s << u"10"_s;
    QTest::newRow("after utf-8 bom still windows-1252")
        << "\xEF\xBB\xBF[Vantrelle]\r\nk=\xE9\r\n"_ba << v << u"k"_s << u"é"_s;
    QTest::newRow("bom only") << "\xEF\xBB\xBF"_ba << v << u"C"_s << QString();
    QTest::newRow("utf-8 as an editor saves it")
        << "[Vantrelle]\r\nk=Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale \xE2\x82\xAC\r\n"_ba << v
        << u"k"_s << u"Société Générale €"_s;
    QTest::newRow("utf-8 with a bom")
        << "\xEF\xBB\xBF[Vantrelle]\r\nk=\xCE\xA9\r\n"_ba << v << u"k"_s << u"Ω"_s;
    QTest::newRow("utf-8 accented section and key") << "[Bar\xC3\xA8me: Cr\xC3\xA9"
                                                       "dit]\r\n\xC3\xA9t\xC3\xA9=1\r\n"_ba
                                                    << u"BARÈME: CRÉDIT"_s << u"ÉTÉ"_s << u"1"_s;
    QTest::newRow("utf-8 value cut to 254 characters")
        << "[Vantrelle]\r\nk="_ba + QByteArray("\xC3\xA9").repeated(300) << v << u"k"_s
        << QString(254, u'é');
    QTest::newRow("windows-1252 bytes that are no utf-8")
        << "[Vantrelle]\r\nk=\xC3\xA9\xE9\r\n"_ba << v << u"k"_s << u"Ã©é"_s;
    QTest::newRow("utf-16 little endian")
        << utf16(u"[Vantrelle]\r\nT1=10\r\nk=€\r\n"_s, QStringEncoder::Utf16LE, "\xFF\xFE"_ba) << v
        << u"k"_s << u"€"_s;
    QTest::newRow("utf-16 big endian")
        << utf16(u"[vantrelle]\r\nT1=10\r\n"_s, QStringEncoder::Utf16BE, "\xFE\xFF"_ba) << v
        << u"t1"_s << u"10"_s;
    QTest::newRow("nul bytes") << "[Vantrelle]\r\nA=\0\0\r\n\0\r\nT1=10\r\n"_ba << v << u"T1"_s
                               << u"10"_s;

    // Missing things
    QTest::newRow("empty file") << QByteArray() << v << u"C"_s << QString();
    QTest::newRow("missing section") << "[Other]\r\nC=A\r\n"_ba << v << u"C"_s << QString();
    QTest::newRow("missing key") << "[Vantrelle]\r\nC=A\r\n"_ba << v << u"T1"_s << QString();
    QTest::newRow("empty value") << "[Vantrelle]\r\nF3=\r\n"_ba << v << u"F3"_s << QString();
}

void IniReadingTest::readsKey()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const TempSettings settings;
    settings.setContents(file);
    QCOMPARE(settings.store().Lire_Ini(section, key), expected);
    // Reading several keys at once gives each what a single read gives.
    QCOMPARE(settings.store().readKeys(section, {key, u"absent"_s, key}),
             (QStringList{expected, QString(), expected}));
    // So does a held reading of the section.
    const IniStore store = settings.store();
    const IniStore::HeldReading held = store.holdReading(section);
    QCOMPARE(store.Lire_Ini(section, key), expected);
    QCOMPARE(settings.contents(), file);
}

void IniReadingTest::missingFileReadsEmpty()
{
    const TempSettings settings;
    QCOMPARE(settings.store().Lire_Ini(u"Vantrelle"_s, u"C"_s), QString());
    QVERIFY(!settings.exists());
}

void IniReadingTest::heldReadingFollowsTheFile()
{
    const TempSettings settings;
    settings.setContents("[Vantrelle]\r\nC=F\r\n"_ba);
    const IniStore store = settings.store();
    {
        const IniStore::HeldReading held = store.holdReading(u"vantrelle"_s);
        QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"c"_s), u"F"_s);
        QVERIFY(store.Ecrire_Ini(u"Vantrelle"_s, u"T1"_s, u"10"_s));
        QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"T1"_s), u"10"_s);

        // Another copy of the program writes: its file is read again.
        settings.setContents("[Vantrelle]\r\nC=A\r\n"_ba);
        QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"C"_s), u"A"_s);
        QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"T1"_s), QString());
        QVERIFY(store.Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"F"_s));
        QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=F\r\n"_ba);
    }
    settings.setContents("[Vantrelle]\r\nC=A\r\n"_ba);
    QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"C"_s), u"A"_s);
}

QTEST_GUILESS_MAIN(IniReadingTest)
#include "tst_ini_reading.moc"
