#include "IniDocument.h"
#include "IniStore.h"
#include "TempSettings.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<IniSectionEdit>)

namespace {

IniSectionEdit keys(const char* section, QList<std::pair<QString, QString>> entries,
                    bool removeFirst = false)
{
    return {QString::fromUtf8(section), removeFirst, std::move(entries)};
}

IniSectionEdit removal(const char* section)
{
    return {QString::fromUtf8(section), true, {}};
}

// A schedule switch: the program's section changed, one section written anew, one removed.
const QList<IniSectionEdit> aSwitch{
    keys("Vantrelle", {{"FB1", "0"}, {"F1", "2"}, {"Barème", "Crédit"}}),
    keys("Barème: Ma banque", {{"FB1", "0"}, {"F1", "9"}}, true),
    removal("Barème: Crédit"),
};

} // namespace

class IniEditsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void onePassEndsAsTheSingleChanges_data();
    void onePassEndsAsTheSingleChanges();
    void aSwitchRewritesOnlyItsLines_data();
    void aSwitchRewritesOnlyItsLines();
    void changeIsDecidedOnTheFileAsItIsNow_data();
    void changeIsDecidedOnTheFileAsItIsNow();
};

void IniEditsTest::onePassEndsAsTheSingleChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<IniSectionEdit>>("edits");
    const QByteArray own = "; mine\r\n[Vantrelle]\r\nC=F\r\nFB1=0\r\nF1=1.99\r\n\r\n; end\r\n";
    // The file is in the Windows code page.
    const QByteArray crédit = "[Bar\xE8me: Cr\xE9"
                              "dit]\r\nFB1=0\r\nF1=2\r\n";
    QTest::newRow("switch, CRLF") << own + crédit << aSwitch;
    QTest::newRow("switch, the removed section first")
        << crédit + own.mid(8) + "[Autre]\nk=v" << aSwitch;
    QTest::newRow("switch into an empty file") << QByteArray() << aSwitch;
    QTest::newRow("last line without its end")
        << QByteArray("[Vantrelle]\nF1=1") << QList{keys("Vantrelle", {{"F1", "3"}, {"FB1", "0"}})};
    QTest::newRow("values as the file holds them, quoted or spaced")
        << QByteArray("[vantrelle]\r\nf1 = \"2\"\r\nfb1='0'\r\n")
        << QList{keys("Vantrelle", {{"F1", "2"}, {"FB1", "0"}, {"Mini", ""}})};
    QTest::newRow("a second section of a removed name") << crédit + own + crédit << aSwitch;
    QTest::newRow("the same key twice")
        << own << QList{keys("Vantrelle", {{"F1", "2"}, {"f1", "1.99"}})};
    QTest::newRow("the same section twice")
        << own << QList{keys("Vantrelle", {{"F1", "2"}}), keys("VANTRELLE", {{"F1", "3"}})};
    QTest::newRow("names and values refused beside good ones")
        << own
        << QList{keys("Vantrelle", {{"F1", "a\nb"}, {"k=", "1"}, {"F2", "Ω"}, {"F3", "5"}}),
                 removal("a]b"), keys("Ω", {{"k", "v"}})};
    QTest::newRow("BOM, lone CR, keys before any section")
        << QByteArray("\xEF\xBB\xBFk=1\r[Vantrelle]\rF1=1\r\r\n[Bar\xE8me: Cr\xE9"
                      "dit]\r")
        << aSwitch;
    QTest::newRow("switch in a UTF-8 file") << own + "[Bar\xC3\xA8me: Cr\xC3\xA9"
                                                     "dit]\r\nFB1=0\r\nF1=2\r\n"
                                            << aSwitch;
    QTest::newRow("UTF-16 is never written") << QByteArray("\xFF\xFE[\0V\0]\0", 8) << aSwitch;
}

void IniEditsTest::onePassEndsAsTheSingleChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<IniSectionEdit>, edits);
    IniDocument onePass = IniDocument::fromFileBytes(file);
    IniDocument oneByOne = IniDocument::fromFileBytes(file);
    const IniDocument::Outcome fast = onePass.applyEdits(edits);
    const IniDocument::Outcome slow = oneByOne.applyEditsOneByOne(edits);
    QCOMPARE(onePass.bytes(), oneByOne.bytes());
    QCOMPARE(fast.changed, slow.changed);
    QCOMPARE(fast.allStored, slow.allStored);
    // All or nothing: one refusal leaves the file as it was.
    if (!fast.allStored)
        QCOMPARE(onePass.bytes(), file);
}

void IniEditsTest::aSwitchRewritesOnlyItsLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Windows-1252 file")
        << QByteArray("; mine\r\n[Vantrelle]\r\nC=F\r\nFB1=0\r\nF1=1.99\r\n[Bar\xE8me: Cr\xE9"
                      "dit]\r\nFB1=0\r\nF1=2\r\n[Autre]\r\nk=v\r\n")
        << QByteArray("; mine\r\n[Vantrelle]\r\nC=F\r\nFB1=0\r\nF1=2\r\nBar\xE8me=Cr\xE9"
                      "dit\r\n[Autre]\r\nk=v\r\n[Bar\xE8me: Ma banque]\r\nFB1=0\r\nF1=9\r\n");
    QTest::newRow("UTF-8 file, as an editor saves it")
        << QByteArray("; \xC3\xA0 moi\n[Vantrelle]\nC=F\nFB1=0\nF1=1.99\n[Bar\xC3\xA8me: Cr\xC3\xA9"
                      "dit]\nFB1=0\nF1=2\n[Autre]\nk=v\n")
        << QByteArray("; \xC3\xA0 moi\n[Vantrelle]\nC=F\nFB1=0\nF1=2\nBar\xC3\xA8me=Cr\xC3\xA9"
                      "dit\r\n[Autre]\nk=v\n[Bar\xC3\xA8me: Ma banque]\r\nFB1=0\r\nF1=9\r\n");
}

void IniEditsTest::aSwitchRewritesOnlyItsLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, expected);
    TempSettings settings;
    settings.setContents(file);
    QVERIFY(settings.store().applyEdits(aSwitch));
    QCOMPARE(settings.contents(), expected);
    QCOMPARE(settings.store().sectionNames(),
             (QStringList{"Vantrelle", "Autre", "Barème: Ma banque"}));
}

void IniEditsTest::changeIsDecidedOnTheFileAsItIsNow_data()
{
    QTest::addColumn<QString>("answer"); // the value to write, or empty to write nothing
    QTest::addColumn<int>("change");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray now = "[Vantrelle]\r\nF1=2\r\n";
    QTest::newRow("written") << "3" << int(IniStore::Change::Done)
                             << QByteArray("[Vantrelle]\r\nF1=2\r\nSeen=2:3\r\n");
    QTest::newRow("declined") << "" << int(IniStore::Change::Declined) << now;
    QTest::newRow("refused") << "a\nb" << int(IniStore::Change::Refused) << now;
}

void IniEditsTest::changeIsDecidedOnTheFileAsItIsNow()
{
    QFETCH(QString, answer);
    QFETCH(int, change);
    QFETCH(QByteArray, expected);
    TempSettings settings;
    settings.setContents("[Vantrelle]\r\nF1=1\r\n");
    const IniStore store = settings.store();
    const IniStore::HeldReading held = store.holdReading("Vantrelle");
    QCOMPARE(store.Lire_Ini("Vantrelle", "F1"), QString("1"));
    // Another copy of the program writes after this one has read.
    settings.setContents("[Vantrelle]\r\nF1=2\r\n");

    const IniStore::Change done =
        store.change([&](const IniDocument& document) -> std::optional<QList<IniSectionEdit>> {
            if (answer.isEmpty())
                return std::nullopt;
            const QString seen = document.value(u"Vantrelle", u"F1").value_or(QString());
            return QList{keys("Vantrelle", {{"Seen", seen + ":" + answer}})};
        });
    QCOMPARE(int(done), change);
    QCOMPARE(settings.contents(), expected);
    QCOMPARE(store.Lire_Ini("Vantrelle", "F1"), QString("2"));
}

QTEST_GUILESS_MAIN(IniEditsTest)
#include "tst_ini_edits.moc"
