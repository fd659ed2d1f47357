#include "IniDocument.h"
#include "IniLineChanges.h"
#include "IniStore.h"
#include "TempSettings.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int documentRounds = 3000;
constexpr int fileRounds = 60;

QByteArray randomBytes(QRandomGenerator& random, int maxLength)
{
    QByteArray bytes(random.bounded(maxLength + 1), Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// A file made of the shapes that trip INI parsers, joined by every kind of line ending.
QByteArray nastyFile(QRandomGenerator& random)
{
    static const std::array<QByteArray, 30> pieces = {
        "[Vantrelle]"_ba,
        "[vantrelle]"_ba,
        "[ VANTRELLE ]"_ba,
        "[Autre]"_ba,
        "["_ba,
        "]]"_ba,
        "[a]b=c"_ba,
        "[ a ]"_ba,
        "[]"_ba,
        "=v"_ba,
        "k"_ba,
        "k==v"_ba,
        "  ;k=v"_ba,
        "#k=v"_ba,
        "k=v ;c"_ba,
        "\""_ba,
        "\"\""_ba,
        "\"a'"_ba,
        "C=F"_ba,
        " c = 'A' "_ba,
        "T1=10"_ba,
        "t1=\"26\""_ba,
        "\x1A"_ba,
        "\0\0k\0=\0"_ba,
        "\x81\x8D\x8F\x90\x9D=\x81"_ba,
        "\xC9t\xE9=\xE9"_ba,
        "Mini="_ba,
        "\xEF\xBB\xBF"_ba,
        "\t\v\f"_ba,
        "k=\"v\""_ba,
    };
    static const std::array<QByteArray, 6> endings = {"\r\n"_ba,   "\n"_ba, "\r"_ba,
                                                      "\r\r\n"_ba, ""_ba,   "\n\r"_ba};

    QByteArray file;
    const int start = random.bounded(20);
    if (start == 0)
        file = "\xEF\xBB\xBF"_ba;
    else if (start == 1)
        file = "\xFF\xFE"_ba;
    const int lines = random.bounded(14);
    for (int i = 0; i < lines; ++i) {
        const int kind = random.bounded(40);
        if (kind < 30)
            file += pieces[kind];
        else if (kind < 39)
            file += randomBytes(random, 24);
        else if (random.bounded(10) == 0)
            file += "k="_ba + QByteArray(100000, 'x');
        file += endings[random.bounded(int(endings.size()))];
    }
    return file;
}

struct Write
{
    QString section;
    QString key;
    QByteArray value;
};

Write randomWrite(QRandomGenerator& random)
{
    static const std::array<QString, 5> sections = {u"Vantrelle"_s, u"a"_s, u"Autre"_s, u"AUTRE"_s,
                                                    u"[a"_s};
    static const std::array<QString, 7> keys = {u"C"_s,    u"k"_s,   u"T1"_s, u"#k"_s,
                                                u"Mini"_s, u"été"_s, u"New"_s};
    static const std::array<QByteArray, 5> values = {"F"_ba, ""_ba, "x y"_ba, "v=w;[z]"_ba,
                                                     QByteArray(300, 'z')};
    return {sections[random.bounded(int(sections.size()))], keys[random.bounded(int(keys.size()))],
            values[random.bounded(int(values.size()))]};
}

QByteArray describe(int round, const QByteArray& file)
{
    return "round " + QByteArray::number(round) + ": " + file.left(200).toPercentEncoding();
}

} // namespace

// Random files must never crash a read, and a write must touch nothing but its own line.
// Most rounds edit the file's bytes in memory; fewer go through the file, whose every write
// waits for the disk.
class IniRobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    void randomDocumentsKeepOtherLines();
    void randomFilesKeepOtherLines();
};

void IniRobustnessTest::randomDocumentsKeepOtherLines()
{
    QRandomGenerator random(20240607);
    int written = 0;
    for (int round = 0; round < documentRounds; ++round) {
        const QByteArray before = nastyFile(random);
        IniDocument document = IniDocument::fromFileBytes(before);
        for (int i = 0; i < 4; ++i) {
            // Reading all the section's keys at once finds what a single read finds.
            const Write read = randomWrite(random);
            QCOMPARE(document.sectionKeys(read.section)
                         .value(IniDocument::foldedName(read.key), u"missing"_s),
                     document.value(read.section, read.key).value_or(u"missing"_s));
        }

        const Write write = randomWrite(random);
        const QString value = QString::fromLatin1(write.value);
        const IniDocument::Edit edit = document.setValue(write.section, write.key, value);
        const QByteArray after = document.bytes();
        if (edit == IniDocument::Edit::Refused) {
            QVERIFY2(before.startsWith("\xFF\xFE"), describe(round, before).constData());
            QCOMPARE(after, before);
            continue;
        }
        ++written;
        const QString problem = IniLineChanges::problem(before, after, write.value);
        QVERIFY2(problem.isEmpty(),
                 (describe(round, before) + " -> " + problem.toUtf8()).constData());
        QCOMPARE(document.value(write.section, write.key), std::optional<QString>(value));
    }
    QVERIFY(written > documentRounds / 2);
}

void IniRobustnessTest::randomFilesKeepOtherLines()
{
    QRandomGenerator random(7);
    const TempSettings settings;
    const IniStore store = settings.store();
    int written = 0;
    for (int round = 0; round < fileRounds; ++round) {
        const QByteArray before = nastyFile(random);
        settings.setContents(before);
        const Write read = randomWrite(random);
        store.Lire_Ini(read.section, read.key);

        const Write write = randomWrite(random);
        const bool stored =
            store.Ecrire_Ini(write.section, write.key, QString::fromLatin1(write.value));
        const QByteArray after = settings.contents();
        if (!stored) {
            QVERIFY2(before.startsWith("\xFF\xFE"), describe(round, before).constData());
            QCOMPARE(after, before);
            continue;
        }
        ++written;
        const QString problem = IniLineChanges::problem(before, after, write.value);
        QVERIFY2(problem.isEmpty(),
                 (describe(round, before) + " -> " + problem.toUtf8()).constData());
        QCOMPARE(store.Lire_Ini(write.section, write.key),
                 QString::fromLatin1(write.value.left(254)));
    }
    QVERIFY(written > fileRounds / 2);
}

QTEST_GUILESS_MAIN(IniRobustnessTest)
#include "tst_ini_robustness.moc"
