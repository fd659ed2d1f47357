// libFuzzer harness: the input is decoded into the texts of the data page and the fee page, as
// loose as a hand-edited settings file can make them. The calculate command's first steps run
// on them: the clean-up of every field, the trade checks and the fee schedule preparation.
// None may crash or run away, and a preparation that lets the calculation go on must leave the
// schedule in the shape the fee computation relies on.
#include "FieldNormalisation.h"
#include "FuzzInput.h"
#include "Messenger.h"
#include "NumberText.h"
#include "SchedulePreparation.h"
#include "TradeCheck.h"

#include <QList>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// Answers the zero-fee question from the input and keeps every message shown.
class RecordingMessenger : public Messenger
{
public:
    explicit RecordingMessenger(const std::array<bool, 4>& answers) : m_answers(answers) {}

    void inform(const Message& message) override { shown.append(message); }

    bool confirm(const Message& message) override
    {
        shown.append(message);
        lastAnswer = m_answers[std::size_t(questions) % m_answers.size()];
        ++questions;
        return lastAnswer;
    }

    QList<Message> shown;
    int questions = 0;
    bool lastAnswer = false;

private:
    std::array<bool, 4> m_answers;
};

void print(const char* label, const QString& text)
{
    std::fprintf(stderr, "  %s \"%s\"\n", label, text.toUtf8().constData());
}

void print(const ScheduleTexts& schedule)
{
    for (const BracketTexts& bracket : schedule.brackets) {
        std::fprintf(stderr, "  bracket%s\n", bracket.percentage ? " (percentage)" : "");
        print("  lower", bracket.lower);
        print("  upper", bracket.upper);
        print("  fee  ", bracket.fee);
    }
    print("minimum", schedule.minimum);
    print("maximum", schedule.maximum);
}

[[noreturn]] void fail(const char* what, const ScheduleTexts& before, const ScheduleTexts& after)
{
    std::fprintf(stderr, "entry_fees_fuzz: %s\nfee page before the preparation:\n", what);
    print(before);
    std::fprintf(stderr, "after:\n");
    print(after);
    std::abort();
}

[[noreturn]] void fail(const char* what, const TradeTexts& trade)
{
    std::fprintf(stderr, "entry_fees_fuzz: %s\n", what);
    print("price ", trade.price);
    print("shares", trade.shares);
    print("profit", trade.profit);
    std::abort();
}

BracketTexts bracketTexts(FuzzInput& input)
{
    BracketTexts bracket;
    bracket.lower = input.text();
    bracket.upper = input.text();
    bracket.fee = input.text();
    bracket.percentage = input.flag();
    return bracket;
}

QString languageCode(FuzzInput& input)
{
    static const std::array<QString, 4> codes = {u"A"_s, u"F"_s, QString(), u"a"_s};
    return codes[input.byte() % codes.size()];
}

void checkMessages(const QList<Message>& shown, const char* where)
{
    for (const Message& message : shown) {
        if (message.title.isEmpty() || message.text.isEmpty()) {
            std::fprintf(stderr, "entry_fees_fuzz: empty %s message\n", where);
            std::abort();
        }
    }
}

void checkTradeOutcome(const TradeTexts& trade, bool percentMode,
                       const std::optional<TradeRefusal>& refusal)
{
    const bool nullPrice = plainNumber(trade.price) == 0;
    const bool nullShares = plainNumber(trade.shares) == 0;
    const double profit = plainNumber(trade.profit);
    if (nullPrice != (refusal && refusal->field == TradeField::Price))
        fail("purchase price check", trade);
    if (!nullPrice && nullShares != (refusal && refusal->field == TradeField::Shares))
        fail("number of shares check", trade);
    if (nullPrice || nullShares)
        return;
    const bool profitRefused = percentMode && profit > 100;
    if (profitRefused != (refusal && refusal->field == TradeField::Profit))
        fail("wanted profit check", trade);
    if (profit == 0 && trade.profit != u"0"_s)
        fail("null profit not written 0", trade);
    if (refusal)
        checkMessages({refusal->message}, "trade");
}

bool hasNegativeBound(const ScheduleTexts& schedule)
{
    for (const BracketTexts& bracket : schedule.brackets) {
        if (plainNumber(bracket.lower) < 0 || plainNumber(bracket.upper) < 0)
            return true;
    }
    return false;
}

int bracketsInUse(const ScheduleTexts& schedule)
{
    int count = 0;
    while (count < bracketCount && !schedule.brackets[std::size_t(count)].isEmpty())
        ++count;
    return count;
}

// What the fee computation relies on once the preparation lets the calculation go on.
void checkPrepared(const ScheduleTexts& before, const ScheduleTexts& after, bool zeroFeeAccepted)
{
    const auto& brackets = after.brackets;
    const int used = bracketsInUse(after);
    if (used == 0)
        fail("no bracket in use", before, after);
    for (int n = used; n < bracketCount; ++n) {
        if (!brackets[std::size_t(n)].isEmpty())
            fail("a gap between the brackets in use", before, after);
        if (brackets[std::size_t(n)].percentage)
            fail("a bracket not in use keeps the percentage type", before, after);
    }
    for (int n = 0; n < used; ++n) {
        const BracketTexts& bracket = brackets[std::size_t(n)];
        if (bracket.lower.isEmpty() || bracket.upper.isEmpty() || bracket.fee.isEmpty())
            fail("a bracket in use has an empty text", before, after);
    }

    // Accepting a schedule without fees keeps the first bracket at 0 to 0, so a second bracket
    // starting at 0 leaves the open bound on the first one (the documented exception).
    const bool firstLeftOpen = zeroFeeAccepted && brackets[0].upper == openBoundText();
    for (int n = 1; n < used; ++n) {
        if (n == 1 && firstLeftOpen)
            continue;
        if (plainNumber(brackets[std::size_t(n)].lower) !=
            plainNumber(brackets[std::size_t(n - 1)].upper))
            fail("a lower bound differs from the previous upper bound", before, after);
    }
    for (int n = zeroFeeAccepted ? 1 : 0; n < used; ++n) {
        const BracketTexts& bracket = brackets[std::size_t(n)];
        // The open bound replaces whatever upper bound the last bracket had.
        if (bracket.upper != openBoundText() &&
            !(plainNumber(bracket.lower) < plainNumber(bracket.upper)))
            fail("an upper bound not above its lower bound", before, after);
    }
    if (brackets[std::size_t(used - 1)].upper != openBoundText() && !firstLeftOpen)
        fail("the last bracket in use is not open", before, after);

    const double minimum = plainNumber(after.minimum);
    const double maximum = plainNumber(after.maximum);
    if (minimum > 0 && maximum > 0 && minimum > maximum)
        fail("a minimum above the maximum", before, after);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input{data, size};

    TradeTexts trade{input.text(), input.text(), input.text()};
    const bool percentMode = input.flag();
    ScheduleTexts schedule;
    for (BracketTexts& bracket : schedule.brackets)
        bracket = bracketTexts(input);
    schedule.minimum = input.text();
    schedule.maximum = input.text();
    // A language switch may come between two messages, so the code is asked for each time.
    const std::array<QString, 4> codes = {languageCode(input), languageCode(input),
                                          languageCode(input), languageCode(input)};
    int codesAsked = 0;
    const auto currentLanguage = [&codes, &codesAsked] {
        return codes[std::size_t(codesAsked++) % codes.size()];
    };
    const std::array<bool, 4> answers = {input.flag(), input.flag(), input.flag(), input.flag()};

    normaliseFields(trade, schedule);
    const QString firstLower = schedule.brackets[0].lower;
    if (!firstLower.isEmpty() && firstLower != u"0"_s)
        fail("first lower bound not 0 after the clean-up", trade);

    const std::optional<TradeRefusal> tradeRefusal =
        checkTrade(trade, percentMode, currentLanguage);
    checkTradeOutcome(trade, percentMode, tradeRefusal);

    // The window stops at a trade refusal; the preparation runs anyway here, for its coverage.
    const ScheduleTexts before = schedule;
    RecordingMessenger messenger(answers);
    QList<ScheduleTexts> saved;
    const std::optional<ScheduleRefusal> refusal =
        prepareSchedule(schedule, messenger, currentLanguage,
                        [&saved](const ScheduleTexts& texts) { saved.append(texts); });

    checkMessages(messenger.shown, "fee page");
    if (messenger.questions > 1)
        fail("the zero-fee question asked twice", before, schedule);
    const bool limitsRefused = refusal && refusal->focus.field == ScheduleField::Minimum;
    if (saved.size() != (!refusal || limitsRefused ? 1 : 0))
        fail("saved when it should not be, or not saved", before, schedule);
    if (refusal && (refusal->focus.bracket < 0 || refusal->focus.bracket >= bracketCount))
        fail("focus outside the fee page", before, schedule);

    // A negative bound can only come from a hand-edited settings file. The preparation then
    // still ends with a schedule the fees can be computed from, but one of its brackets may be
    // out of reach, as the fee page then shows; so the guarantees are checked without them.
    if (!refusal && !hasNegativeBound(before))
        checkPrepared(before, schedule, messenger.questions == 1 && messenger.lastAnswer);
    return 0;
}
