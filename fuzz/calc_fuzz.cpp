// libFuzzer harness: the input is decoded into a fee schedule, a trade and a tax rate, and the
// selling price search runs on them. A calculation that goes through must give result texts
// that are all numbers (no "inf", no "nan") and a selling price that is not negative, and its
// details (working, break-even, ladder, chart) must be there and all numbers too; one that is
// refused must have a message to show.
#include "CalcMessages.h"
#include "CalculationDetails.h"
#include "DetailsDocument.h"
#include "FieldNormalisation.h"
#include "FuzzInput.h"
#include "Messenger.h"
#include "NumberText.h"
#include "ProfitCurve.h"
#include "ResultTexts.h"
#include "SchedulePreparation.h"
#include "SellingPriceSearch.h"
#include "TaxRates.h"

#include <QLocale>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The preparation's messages go nowhere; its one question is answered from the input.
class SilentMessenger : public Messenger
{
public:
    explicit SilentMessenger(bool answer) : m_answer(answer) {}
    void inform(const Message&) override {}
    bool confirm(const Message&) override { return m_answer; }

private:
    bool m_answer;
};

struct Case
{
    Schedule schedule;
    Trade trade;
    double taxRate = 0;
    PriceRounding rounding = PriceRounding::Nearest;
};

void printCase(const Case& c)
{
    for (const Bracket& bracket : c.schedule.brackets)
        std::fprintf(stderr, "  bracket upper %.17g fee %.17g%s\n", bracket.upper, bracket.fee,
                     bracket.percentage ? " %" : "");
    std::fprintf(stderr, "  minimum %.17g maximum %.17g\n", c.schedule.minimum, c.schedule.maximum);
    std::fprintf(stderr, "  price %.17g shares %.17g profit %.17g (%s) tax rate %.17g\n",
                 c.trade.purchasePrice, c.trade.shares, c.trade.wantedProfit,
                 c.trade.percentMode ? "per cent" : "euros", c.taxRate);
    std::fprintf(stderr, "  rounded %s\n", c.rounding == PriceRounding::Up ? "up" : "to nearest");
}

[[noreturn]] void fail(const char* what, const QString& text, const Case& c)
{
    std::fprintf(stderr, "calc_fuzz: %s: \"%s\"\n", what, text.toUtf8().constData());
    printCase(c);
    std::abort();
}

// Qt writes an infinity as "inf" and an undefined value as "nan". The one word of the fixed
// wording that holds either ("financier") is taken out before looking.
bool showsNonNumber(const QString& text)
{
    QString lower = text.toLower();
    lower.remove(u"financier"_s);
    return lower.contains(u"inf"_s) || lower.contains(u"nan"_s);
}

void checkNumbers(const char* label, const QString& text, const Case& c)
{
    if (showsNonNumber(text))
        fail(label, text, c);
}

// The schedule as a preparation that lets the calculation go on leaves it: brackets 1 to k with
// rising upper bounds, the last one open, the others empty and fixed; no minimum above the
// maximum; equal limits turned into one flat fee. The amounts themselves are anything.
std::optional<Schedule> preparedShape(FuzzInput& input)
{
    Schedule schedule;
    const int used = 1 + input.byte() % bracketCount;
    double bound = 0;
    for (int n = 0; n < used; ++n) {
        Bracket& bracket = schedule.brackets[std::size_t(n)];
        bound += 1 + input.wholeCents() % 30000000;
        const bool last = n == used - 1 || bound >= openBound;
        bracket = {last ? openBound : bound, input.number(), input.flag()};
        if (last)
            break;
    }
    schedule.minimum = input.flag() ? input.number() : 0;
    schedule.maximum = input.flag() ? input.number() : openBound;
    if (schedule.minimum > 0 && schedule.maximum > 0 && schedule.minimum > schedule.maximum)
        return std::nullopt;
    if (schedule.minimum == schedule.maximum && schedule.minimum != 0) {
        Schedule flat;
        flat.brackets[0] = {openBound, schedule.minimum, false};
        return flat;
    }
    return schedule;
}

Schedule anySchedule(FuzzInput& input)
{
    Schedule schedule;
    for (Bracket& bracket : schedule.brackets)
        bracket = {input.number(), input.number(), input.flag()};
    schedule.minimum = input.number();
    schedule.maximum = input.number();
    return schedule;
}

ScheduleTexts scheduleTexts(FuzzInput& input, int shortLimit)
{
    ScheduleTexts texts;
    for (BracketTexts& bracket : texts.brackets)
        bracket = {input.text(shortLimit), input.text(shortLimit), input.text(shortLimit),
                   input.flag()};
    texts.minimum = input.text(shortLimit);
    texts.maximum = input.text(shortLimit);
    return texts;
}

// What the fee page's fields hold of a text, loaded or written back.
void keepFieldLength(ScheduleTexts& texts)
{
    constexpr int fieldLength = 8;
    for (BracketTexts& bracket : texts.brackets) {
        bracket.lower.truncate(fieldLength);
        bracket.upper.truncate(fieldLength);
        bracket.fee.truncate(fieldLength);
    }
    texts.minimum.truncate(fieldLength);
    texts.maximum.truncate(fieldLength);
}

// The fee page through the calculate command: cleaned, prepared, and read back from fields
// that hold 8 characters when the window is imitated.
std::optional<Schedule> preparedTexts(FuzzInput& input)
{
    const bool window = input.flag();
    ScheduleTexts texts = scheduleTexts(input, 8);
    if (window)
        keepFieldLength(texts);
    TradeTexts unused;
    normaliseFields(unused, texts);
    SilentMessenger messenger(input.flag());
    if (prepareSchedule(
            texts, messenger, [] { return u"F"_s; }, [](const ScheduleTexts&) {}))
        return std::nullopt;
    if (window)
        keepFieldLength(texts);
    return scheduleFromTexts(texts);
}

std::optional<Schedule> decodeSchedule(FuzzInput& input)
{
    switch (input.byte() % 4) {
    case 0:
        return anySchedule(input);
    case 1:
        return preparedShape(input);
    case 2:
        return preparedTexts(input);
    default:
        return scheduleFromTexts(scheduleTexts(input, 12));
    }
}

// The trade as the data page lets it through: a price above 0, a whole number of shares, a
// profit of at least 0 and at most 100 in percentage mode. Typed texts or any such number.
std::optional<Trade> decodeTrade(FuzzInput& input)
{
    Trade trade;
    trade.shares = input.between(1, 99999);
    trade.purchasePrice =
        input.flag() ? plainNumber(input.typed(10, true)) : std::fabs(input.number());
    trade.wantedProfit = input.flag() ? plainNumber(input.typed(5, true)) : input.number();
    trade.percentMode = input.flag();
    if (!(trade.purchasePrice > 0) || !std::isfinite(trade.purchasePrice))
        return std::nullopt;
    if (!(trade.wantedProfit >= 0) || !std::isfinite(trade.wantedProfit))
        return std::nullopt;
    if (trade.percentMode && trade.wantedProfit > 100)
        return std::nullopt;
    return trade;
}

// The rate is read from the settings file, which nothing repairs before a calculation.
double decodeTaxRate(FuzzInput& input, const QLocale& locale)
{
    return input.flag() ? rateValue(input.text(), locale) : input.number();
}

void checkDone(const SellingPrice& result, const Case& c, const std::array<QLocale, 2>& locales)
{
    const QString priceLabel = Texte_Euros(result.price, EurosVariant::Price);
    if (priceLabel.contains(u'-'))
        fail("done, negative selling price", priceLabel, c);
    checkNumbers("done, selling price", priceLabel, c);
    checkNumbers("done, cost price", Texte_Euros(result.costPrice, EurosVariant::Price), c);
    checkNumbers("done, profit before tax",
                 Texte_Euros(result.profitBeforeTax, EurosVariant::Profit), c);
    checkNumbers("done, profit after tax", Texte_Euros(result.profitAfterTax, EurosVariant::Profit),
                 c);
    for (const QLocale& locale : locales) {
        checkNumbers("done, purchase fee",
                     feeCaption(result.purchaseFee, TradeSide::Purchase, locale), c);
        checkNumbers("done, sale fee", feeCaption(result.saleFee, TradeSide::Sale, locale), c);
        if (result.inexact) {
            const Message message =
                inexactPriceMessage(result, c.trade.wantedProfit, c.trade.percentMode, locale);
            checkNumbers("done, inexact price message", message.text, c);
        }
    }
}

void checkDetails(const Case& c, const std::array<QLocale, 2>& locales)
{
    const std::optional<CalculationDetails> details =
        explainCalculation({c.schedule, c.trade, c.taxRate, c.rounding});
    if (!details)
        fail("done, but no details", QString(), c);
    for (const QLocale& locale : locales) {
        for (const bool english : {false, true})
            checkNumbers("details", detailsPlainText(*details, english, locale), c);
    }
    const ProfitCurve curve = profitCurve(*details);
    for (const CurveSegment& segment : curve.segments) {
        if (!std::isfinite(segment.fromPrice) || !std::isfinite(segment.toPrice) ||
            !(segment.fromPrice <= segment.toPrice))
            fail("details, chart segment", QString::number(segment.fromPrice), c);
    }
}

void checkRefused(const CalcOutcome& outcome, const Case& c, const std::array<QLocale, 2>& locales)
{
    for (const QString& code : {u"A"_s, u"F"_s}) {
        const Message message = refusalMessage(outcome, code);
        if (message.title.isEmpty() || message.text.isEmpty())
            fail("a refusal without a message", code, c);
    }
    // The purchase labels are written before the search is refused over the limit.
    if (outcome.status != CalcStatus::SaleOverLimit)
        return;
    checkNumbers("sale over the limit, cost price",
                 Texte_Euros(outcome.result.costPrice, EurosVariant::Price), c);
    for (const QLocale& locale : locales)
        checkNumbers("sale over the limit, purchase fee",
                     feeCaption(outcome.result.purchaseFee, TradeSide::Purchase, locale), c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<QLocale, 2> locales = {QLocale(QLocale::French, QLocale::France),
                                                   QLocale::c()};
    FuzzInput input{data, size};

    const std::optional<Schedule> schedule = decodeSchedule(input);
    const std::optional<Trade> trade = decodeTrade(input);
    if (!schedule || !trade)
        return 0;
    Case c{*schedule, *trade, decodeTaxRate(input, locales[input.byte() % 2])};
    // Last, so that inputs made before the choice existed keep their meaning.
    c.rounding = input.flag() ? PriceRounding::Up : PriceRounding::Nearest;

    const CalcOutcome outcome = findSellingPrice(c.schedule, c.trade, c.taxRate, c.rounding);
    if (outcome.ok()) {
        checkDone(outcome.result, c, locales);
        checkDetails(c, locales);
    } else
        checkRefused(outcome, c, locales);
    return 0;
}
