#include "FakeMessenger.h"
#include "FeeStore.h"
#include "IniStore.h"
#include "SchedulePreparation.h"
#include "ScheduleToString.h"
#include "SettingsKeys.h"
#include "TempSettings.h"

#include <QTest>

#include <algorithm>
#include <initializer_list>
#include <optional>

using Outcome = std::optional<ScheduleRefusal>;
using SavedSchedule = std::optional<ScheduleTexts>;

Q_DECLARE_METATYPE(ScheduleTexts)
Q_DECLARE_METATYPE(Message)
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(SavedSchedule)
Q_DECLARE_METATYPE(ScheduleFieldRef)

namespace {

QString describe(const ScheduleFieldRef& ref)
{
    static const char* const names[] = {"Lower", "Upper", "Fee", "FeeType", "Minimum", "Maximum"};
    return QStringLiteral("%1 of bracket %2")
        .arg(QLatin1String(names[static_cast<int>(ref.field)]))
        .arg(ref.bracket + 1);
}

} // namespace

char* toString(const SavedSchedule& saved)
{
    return QTest::toString(saved ? describe(*saved) : QStringLiteral("not saved"));
}

char* toString(const Outcome& outcome)
{
    return QTest::toString(outcome ? QStringLiteral("refused, focus on ") + describe(outcome->focus)
                                   : QStringLiteral("go on"));
}

char* toString(const ScheduleFieldRef& ref)
{
    return QTest::toString(describe(ref));
}

char* toString(const Message& message)
{
    return QTest::toString(QStringLiteral("%1 / %2 / icon %3")
                               .arg(message.title, message.text)
                               .arg(static_cast<int>(message.icon)));
}

namespace {

const QString open = QStringLiteral("99999999");

BracketTexts fixed(const char* lower, const char* upper, const char* fee)
{
    return {QString::fromUtf8(lower), QString::fromUtf8(upper), QString::fromUtf8(fee), false};
}

BracketTexts percent(const char* lower, const char* upper, const char* fee)
{
    return {QString::fromUtf8(lower), QString::fromUtf8(upper), QString::fromUtf8(fee), true};
}

BracketTexts fixedOpen(const char* lower, const char* fee)
{
    return {QString::fromUtf8(lower), open, QString::fromUtf8(fee), false};
}

BracketTexts percentOpen(const char* lower, const char* fee)
{
    return {QString::fromUtf8(lower), open, QString::fromUtf8(fee), true};
}

const BracketTexts none = fixed("", "", "");
const BracketTexts nonePercent = percent("", "", "");

// Brackets from the first one on; the ones not given are empty with a fixed fee.
ScheduleTexts page(std::initializer_list<BracketTexts> brackets, const char* minimum = "",
                   const char* maximum = "")
{
    ScheduleTexts schedule;
    int index = 0;
    for (const BracketTexts& bracket : brackets)
        schedule.brackets[index++] = bracket;
    schedule.minimum = QString::fromUtf8(minimum);
    schedule.maximum = QString::fromUtf8(maximum);
    return schedule;
}

Message message(const char* title, const char* text, MessageIcon icon)
{
    return {QString::fromUtf8(title), QString::fromUtf8(text), icon};
}

const Message frenchQuestion = message(
    "Frais de courtage", "Les frais de courtage sont nuls. Etes-vous sûr ?", MessageIcon::Question);
const Message englishQuestion =
    message("Brokerage fees", "The brokerage fees are null. Are-you sure ?", MessageIcon::Question);

Message frenchOrder(const char* text)
{
    return message("Erreur de saisie", text, MessageIcon::Exclamation);
}

Message frenchContinuity(const char* firstLine)
{
    return message("Erreur de saisie",
                   (QByteArray(firstLine) +
                    "\n\rLa gestion des frais de courtage va être mise à jour "
                    "automatiquement")
                       .constData(),
                   MessageIcon::Information);
}

const Message limits = message("Erreur de saisie",
                               "Les frais de courtage minimums ne peuvent être supérieurs\n\r"
                               "aux frais de courtage maximums.",
                               MessageIcon::Exclamation);

const Outcome goOn = std::nullopt;
const SavedSchedule notSaved = std::nullopt;

Outcome focusLower(int bracketNumber)
{
    return ScheduleRefusal{ScheduleFieldRef::lower(bracketNumber - 1)};
}

const Outcome focusMinimum = ScheduleRefusal{ScheduleFieldRef::minimum()};

// Hands out the codes in turn, one per read, the last one again once they run out.
std::function<QString()> codeSequence(const QStringList& codes, int& reads)
{
    return [&codes, &reads] { return codes.at(std::min<qsizetype>(reads++, codes.size() - 1)); };
}

bool storeWrites()
{
    const TempSettings probe;
    const IniStore store = probe.store();
    return store.Ecrire_Ini(settingsSection(), QStringLiteral("FB1"), QStringLiteral("1")) &&
           store.Lire_Ini(settingsSection(), QStringLiteral("FB1")) == QLatin1String("1");
}

QByteArray emptyBracketLines(int number)
{
    const QByteArray n = QByteArray::number(number);
    return "FB" + n + "=\r\nFH" + n + "=\r\nF" + n + "=\r\nP" + n + "=Faux\r\nV" + n + "=Vrai\r\n";
}

} // namespace

class SchedulePreparationTest : public QObject
{
    Q_OBJECT

private slots:
    void prepare_data();
    void prepare();
    void zeroFeeQuestionAskedAtEveryCalculation();
    void valuesIgnoreTheRegionalSeparator_data();
    void valuesIgnoreTheRegionalSeparator();
    void savesThroughTheSettingsFile_data();
    void savesThroughTheSettingsFile();
};

void SchedulePreparationTest::prepare_data()
{
    QTest::addColumn<ScheduleTexts>("before");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<ScheduleTexts>("after");
    QTest::addColumn<QList<Message>>("messages");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<SavedSchedule>("saved");

    const QStringList french{QStringLiteral("F")};
    const QStringList english{QStringLiteral("A")};

    {
        const ScheduleTexts after = page({fixedOpen("0", "0")});
        QTest::newRow("empty page, zero fees accepted")
            << page({nonePercent, none, none, nonePercent}) << QList<bool>{true} << french << after
            << QList<Message>{frenchQuestion} << goOn << SavedSchedule(after);
    }
    QTest::newRow("empty page, zero fees declined")
        << page({nonePercent, none, none, nonePercent}) << QList<bool>{false} << french
        << page({none, none, none, nonePercent}) << QList<Message>{frenchQuestion} << focusLower(1)
        << notSaved;
    {
        const ScheduleTexts after = page({fixedOpen("0", "0")});
        QTest::newRow("empty page, English question")
            << page({}) << QList<bool>{true} << english << after << QList<Message>{englishQuestion}
            << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after = page({percentOpen("0", "2.5")});
        QTest::newRow("bracket of zeros emptied, next bracket moved with its type")
            << page({fixed("0", "", "0"), nonePercent, percent("", "5000", "2.5")}) << QList<bool>{}
            << french << after << QList<Message>{} << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after =
            page({fixed("0", "1000", "10"), percentOpen("1000", "1.5"), none});
        QTest::newRow("bracket 3 of percentage type moves to bracket 2")
            << page({fixed("0", "1000", "10"), none, percent("1000", "5000", "1.5")})
            << QList<bool>{} << french << after << QList<Message>{} << goOn << SavedSchedule(after);
    }
    QTest::newRow("gaps closed with their types, then bracket 1 refused")
        << page({fixed("0", "", "10"), nonePercent, nonePercent, percent("500", "600", "7"),
                 nonePercent})
        << QList<bool>{} << french
        << page({fixed("", "", "10"), percent("500", "600", "7"), none, none, nonePercent})
        << QList<Message>{frenchOrder(
               "La première fourchette haute doit être supérieure à la première fourchette basse")}
        << focusLower(1) << notSaved;
    QTest::newRow("English order message, bracket 1")
        << page({fixed("0", "", "10")}) << QList<bool>{} << english << page({fixed("", "", "10")})
        << QList<Message>{message(
               "Erreur", "The first upper bound must be greater than the first lower bound",
               MessageIcon::Exclamation)}
        << focusLower(1) << notSaved;
    {
        const ScheduleTexts after = page({fixed("0", "1000", "0"), fixedOpen("1000", "3")});
        QTest::newRow("bracket 1 upper bound without fee, no question")
            << page({fixed("0", "1000", ""), fixed("1000", "5000", "3")}) << QList<bool>{} << french
            << after << QList<Message>{} << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after = page({fixed("0", "1000", "10"), fixedOpen("1000", "0")});
        QTest::newRow("continuity notice, then going on")
            << page({fixed("0", "1000", "10"), fixed("999", "5000", "")}) << QList<bool>{} << french
            << after
            << QList<Message>{frenchContinuity(
                   "La deuxième fourchette basse doit être égale à la première fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after = page({fixed("0", "1000", "10"), fixedOpen("1000", "0")});
        QTest::newRow("English continuity notice")
            << page({fixed("0", "1000", "10"), fixed("999", "5000", "")}) << QList<bool>{}
            << english << after
            << QList<Message>{message(
                   "Erreur de saisie",
                   "The second lower bound must be equal to the first upper bound.\n\r"
                   "The brokerage fee schedule will be updated automatically",
                   MessageIcon::Exclamation)}
            << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after = page({fixed("0", "1000", "10"), fixedOpen("1000", "0")});
        QTest::newRow("empty lower bound of bracket 2 set from bracket 1")
            << page({fixed("0", "1000", "10"), fixed("", "5000", "")}) << QList<bool>{} << french
            << after
            << QList<Message>{frenchContinuity(
                   "La deuxième fourchette basse doit être égale à la première fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
    QTest::newRow("order refusal, bracket 2")
        << page({fixed("0", "1000", "10"), fixed("1000", "800", "5"), percent("800", "2000", "1")})
        << QList<bool>{} << french
        << page({fixed("0", "1000", "10"), fixed("", "", "5"), percent("800", "2000", "1")})
        << QList<Message>{frenchOrder(
               "La deuxième fourchette haute doit être supérieure à la deuxième fourchette basse")}
        << focusLower(2) << notSaved;
    QTest::newRow("English order message, bracket 2")
        << page({fixed("0", "1000", "10"), fixed("1000", "800", "5")}) << QList<bool>{} << english
        << page({fixed("0", "1000", "10"), fixed("", "", "5")})
        << QList<Message>{message(
               "Erreur", "The second upper bound must be greater than the second lower bound",
               MessageIcon::Exclamation)}
        << focusLower(2) << notSaved;
    QTest::newRow("order checked against the lower bound set by continuity")
        << page({fixed("0", "1000", "10"), fixed("500", "800", "5")}) << QList<bool>{} << french
        << page({fixed("0", "1000", "10"), fixed("", "", "5")})
        << QList<Message>{frenchContinuity("La deuxième fourchette basse doit être égale à la "
                                           "première fourchette haute."),
                          frenchOrder(
                              "La deuxième fourchette haute doit être supérieure à la deuxième "
                              "fourchette basse")}
        << focusLower(2) << notSaved;
    // Bounds read from the settings file are not filtered, so "1000.0" can reach the preparation.
    {
        const ScheduleTexts after = page({fixed("0", "1000", "5"), fixedOpen("1000", "7")});
        QTest::newRow("bracket 2 continuity compares texts")
            << page({fixed("0", "1000", "5"), fixed("1000.0", "5000", "7")}) << QList<bool>{}
            << french << after
            << QList<Message>{frenchContinuity(
                   "La deuxième fourchette basse doit être égale à la première fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after =
            page({fixed("0", "500", "5"), fixed("500", "1000", "7"), fixedOpen("1000.0", "9")});
        QTest::newRow("bracket 3 continuity compares values")
            << page({fixed("0", "500", "5"), fixed("500", "1000", "7"),
                     fixed("1000.0", "5000", "9")})
            << QList<bool>{} << french << after << QList<Message>{} << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after =
            page({fixed("0", "500", "5"), fixed("500", "1000", "7"), fixedOpen("1000", "9")});
        QTest::newRow("bracket 3 continuity notice on another value")
            << page({fixed("0", "500", "5"), fixed("500", "1000", "7"), fixed("999", "5000", "9")})
            << QList<bool>{} << french << after
            << QList<Message>{frenchContinuity("La troisième fourchette basse doit être égale à la "
                                               "deuxième fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after = page({fixed("0", "500", "5"), fixed("500", "1000", "7"),
                                          fixed("1000", "2000", "9"), fixedOpen("2000", "11")});
        QTest::newRow("bracket 4 continuity compares texts")
            << page({fixed("0", "500", "5"), fixed("500", "1000", "7"), fixed("1000", "2000", "9"),
                     fixed("2000.0", "5000", "11")})
            << QList<bool>{} << french << after
            << QList<Message>{frenchContinuity("La quatrième fourchette basse doit être égale à la "
                                               "troisième fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
    {
        const ScheduleTexts after =
            page({fixed("0", "100", "1"), fixed("100", "200", "2"), fixed("200", "300", "3"),
                  fixed("300", "400", "4"), percentOpen("400", "5")});
        QTest::newRow("bracket 5 continuity compares texts")
            << page({fixed("0", "100", "1"), fixed("100", "200", "2"), fixed("200", "300", "3"),
                     fixed("300", "400", "4"), percent("400.0", "500", "5")})
            << QList<bool>{} << french << after
            << QList<Message>{frenchContinuity("La cinquième fourchette basse doit être égale à la "
                                               "quatrième fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
    QTest::newRow("order refusal, bracket 5")
        << page({fixed("0", "100", "1"), fixed("100", "200", "2"), fixed("200", "300", "3"),
                 fixed("300", "400", "4"), fixed("400", "400", "5")})
        << QList<bool>{} << french
        << page({fixed("0", "100", "1"), fixed("100", "200", "2"), fixed("200", "300", "3"),
                 fixed("300", "400", "4"), fixed("", "", "5")})
        << QList<Message>{frenchOrder("La cinquième fourchette haute doit être supérieure à la "
                                      "cinquième fourchette basse")}
        << focusLower(5) << notSaved;
    QTest::newRow("minimum above maximum refused after the save, in French")
        << page({fixed("0", "99999999", "10")}, "5", "3") << QList<bool>{} << english
        << page({fixedOpen("0", "10")}) << QList<Message>{limits} << focusMinimum
        << SavedSchedule(page({fixedOpen("0", "10")}, "5", "3"));
    {
        const ScheduleTexts after = page({fixedOpen("0", "10")}, "5", "0");
        QTest::newRow("minimum with a maximum of 0 accepted")
            << page({fixed("0", "1000", "10")}, "5", "0") << QList<bool>{} << french << after
            << QList<Message>{} << goOn << SavedSchedule(after);
    }
    QTest::newRow("minimum and maximum of 0 emptied after the save")
        << page({fixed("0", "1000", "10")}, "0", "0") << QList<bool>{} << french
        << page({fixedOpen("0", "10")}) << QList<Message>{} << goOn
        << SavedSchedule(page({fixedOpen("0", "10")}, "0", "0"));
    QTest::newRow("equal minimum and maximum become a flat fee after the save")
        << page({percent("0", "1000", "1.5"), percent("1000", "5000", "2")}, "8", "8")
        << QList<bool>{} << french << page({fixedOpen("0", "8")}) << QList<Message>{} << goOn
        << SavedSchedule(page({percent("0", "1000", "1.5"), percentOpen("1000", "2")}, "8", "8"));
    {
        const ScheduleTexts after = page({fixedOpen("0", "0"), fixed("0", "2000", "5")});
        const ScheduleTexts before = page({none, fixed("500", "", ""), fixed("1000", "2000", "5")});
        QTest::newRow("moved brackets, zero fees accepted, bracket 1 left open")
            << before << QList<bool>{true} << french << after
            << QList<Message>{frenchQuestion,
                              frenchContinuity("La deuxième fourchette basse doit être égale à la "
                                               "première fourchette haute.")}
            << goOn << SavedSchedule(after);
        QTest::newRow("language code read again before each message")
            << before << QList<bool>{true} << QStringList{QStringLiteral("A"), QStringLiteral("F")}
            << after
            << QList<Message>{englishQuestion,
                              frenchContinuity("La deuxième fourchette basse doit être égale à la "
                                               "première fourchette haute.")}
            << goOn << SavedSchedule(after);
    }
}

void SchedulePreparationTest::prepare()
{
    QFETCH(ScheduleTexts, before);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, codes);
    QFETCH(ScheduleTexts, after);
    QFETCH(QList<Message>, messages);
    QFETCH(Outcome, outcome);
    QFETCH(SavedSchedule, saved);

    FakeMessenger messenger;
    for (const bool answer : answers)
        messenger.answerNext(answer);
    int reads = 0;
    SavedSchedule written;
    int saves = 0;

    ScheduleTexts schedule = before;
    const Outcome result = prepareSchedule(schedule, messenger, codeSequence(codes, reads),
                                           [&](const ScheduleTexts& current) {
                                               written = current;
                                               ++saves;
                                           });

    QCOMPARE(result, outcome);
    QCOMPARE(schedule, after);
    QCOMPARE(messenger.shown.size(), messages.size());
    for (qsizetype i = 0; i < messages.size(); ++i)
        QCOMPARE(messenger.shown.at(i), messages.at(i));
    QCOMPARE(messenger.unansweredQuestions, 0);
    QCOMPARE(written, saved);
    QCOMPARE(saves, saved ? 1 : 0);
}

void SchedulePreparationTest::zeroFeeQuestionAskedAtEveryCalculation()
{
    FakeMessenger messenger;
    messenger.answerNext(true);
    messenger.answerNext(true);
    const auto french = [] { return QStringLiteral("F"); };
    const auto ignore = [](const ScheduleTexts&) {};

    ScheduleTexts first;
    QCOMPARE(prepareSchedule(first, messenger, french, ignore), goOn);
    ScheduleTexts second;
    QCOMPARE(prepareSchedule(second, messenger, french, ignore), goOn);

    QCOMPARE(messenger.shown, (QList<Message>{frenchQuestion, frenchQuestion}));
}

void SchedulePreparationTest::valuesIgnoreTheRegionalSeparator_data()
{
    QTest::addColumn<QString>("locale");

    QTest::newRow("comma locale") << QStringLiteral("fr_FR");
    QTest::newRow("point locale") << QStringLiteral("C");
}

// Texts such as "5000,5" can only come from the settings file. Their value stops at the comma
// under any regional settings: the third lower bound equals the second upper bound 5000, and
// the limits 2,5 and 2,4 are both 2, so they make a flat fee instead of being refused.
void SchedulePreparationTest::valuesIgnoreTheRegionalSeparator()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));

    FakeMessenger messenger;
    SavedSchedule written;
    ScheduleTexts schedule =
        page({fixed("0", "1000", "5"), fixed("1000", "5000", "7"), fixed("5000,5", "9000", "9")},
             "2,5", "2,4");
    const Outcome result = prepareSchedule(
        schedule, messenger, [] { return QStringLiteral("F"); },
        [&written](const ScheduleTexts& current) { written = current; });
    QLocale::setDefault(QLocale::c());

    QCOMPARE(result, goOn);
    QCOMPARE(messenger.shown, QList<Message>{});
    QCOMPARE(written, SavedSchedule(page({fixed("0", "1000", "5"), fixed("1000", "5000", "7"),
                                          fixedOpen("5000,5", "9")},
                                         "2,5", "2,4")));
    QCOMPARE(schedule, page({fixedOpen("0", "2,5")}));
}

void SchedulePreparationTest::savesThroughTheSettingsFile_data()
{
    QTest::addColumn<ScheduleTexts>("before");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ScheduleTexts>("after");

    QTest::newRow("minimum above maximum")
        << page({fixed("0", "99999999", "10")}, "5", "3")
        << QByteArray("[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\nP1=Faux\r\nV1=Vrai\r\n" +
                      emptyBracketLines(2) + emptyBracketLines(3) + emptyBracketLines(4) +
                      emptyBracketLines(5) + "Mini=5\r\nMaxi=3\r\n")
        << page({fixedOpen("0", "10")});
    QTest::newRow("flat fee")
        << page({fixed("0", "1000", "10"), percent("1000", "5000", "2")}, "8", "8")
        << QByteArray("[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=10\r\nP1=Faux\r\nV1=Vrai\r\n"
                      "FB2=1000\r\nFH2=99999999\r\nF2=2\r\nP2=Vrai\r\nV2=Faux\r\n" +
                      emptyBracketLines(3) + emptyBracketLines(4) + emptyBracketLines(5) +
                      "Mini=8\r\nMaxi=8\r\n")
        << page({fixedOpen("0", "8")});
}

void SchedulePreparationTest::savesThroughTheSettingsFile()
{
    if (!storeWrites())
        QSKIP("The settings store does not write files yet (IniStore::Ecrire_Ini is a stub)");

    QFETCH(ScheduleTexts, before);
    QFETCH(QByteArray, file);
    QFETCH(ScheduleTexts, after);

    const TempSettings settings;
    const IniStore store = settings.store();
    FakeMessenger messenger;
    ScheduleTexts schedule = before;
    prepareSchedule(
        schedule, messenger, [] { return QStringLiteral("F"); },
        [&store](const ScheduleTexts& current) { saveSchedule(store, current); });

    QCOMPARE(schedule, after);
    QCOMPARE(settings.contents(), file);
}

QTEST_GUILESS_MAIN(SchedulePreparationTest)
#include "tst_schedule_preparation.moc"
