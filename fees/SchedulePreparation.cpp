#include "SchedulePreparation.h"

#include "BracketOrdinal.h"
#include "Language.h"
#include "Messenger.h"
#include "NumberText.h"

#include <array>

namespace {

// Two-line messages keep the line feed before the carriage return, as the French notices
// always had; the display side turns the pair into one line break.
QString twoLines(const QString& first, const QString& second)
{
    return first + QStringLiteral("\n\r") + second;
}

QString frenchOrdinal(int index)
{
    return bracketOrdinal(index, false);
}

QString englishOrdinal(int index)
{
    return bracketOrdinal(index, true);
}

Message zeroFeeQuestion(const QString& languageCode)
{
    if (isEnglish(languageCode))
        return {QStringLiteral("Brokerage fees"),
                QStringLiteral("The brokerage fees are null. Are-you sure ?"),
                MessageIcon::Question};
    return {QStringLiteral("Frais de courtage"),
            QStringLiteral("Les frais de courtage sont nuls. Etes-vous sûr ?"),
            MessageIcon::Question};
}

Message orderMessage(int index, const QString& languageCode)
{
    if (isEnglish(languageCode))
        return {QStringLiteral("Erreur"),
                QStringLiteral("The %1 upper bound must be greater than the %1 lower bound")
                    .arg(englishOrdinal(index)),
                MessageIcon::Exclamation};
    return {QStringLiteral("Erreur de saisie"),
            QStringLiteral("La %1 fourchette haute doit être supérieure à la %1 fourchette basse")
                .arg(frenchOrdinal(index)),
            MessageIcon::Exclamation};
}

Message continuityNotice(int index, const QString& languageCode)
{
    if (isEnglish(languageCode))
        return {
            QStringLiteral("Erreur de saisie"),
            twoLines(QStringLiteral("The %1 lower bound must be equal to the %2 upper bound.")
                         .arg(englishOrdinal(index), englishOrdinal(index - 1)),
                     QStringLiteral("The brokerage fee schedule will be updated automatically")),
            MessageIcon::Exclamation};
    return {
        QStringLiteral("Erreur de saisie"),
        twoLines(
            QStringLiteral("La %1 fourchette basse doit être égale à la %2 fourchette haute.")
                .arg(frenchOrdinal(index), frenchOrdinal(index - 1)),
            QStringLiteral("La gestion des frais de courtage va être mise à jour automatiquement")),
        MessageIcon::Information};
}

// Only ever shown in French, whatever the language in use.
Message limitsMessage()
{
    return {QStringLiteral("Erreur de saisie"),
            twoLines(QStringLiteral("Les frais de courtage minimums ne peuvent être supérieurs"),
                     QStringLiteral("aux frais de courtage maximums.")),
            MessageIcon::Exclamation};
}

double valueOf(const QString& text)
{
    return plainNumber(text);
}

QString zeroText()
{
    return QStringLiteral("0");
}

bool isEmptyOrZero(const QString& text)
{
    return text.isEmpty() || text == QLatin1String("0");
}

void setZeroWhenNull(QString& text)
{
    if (valueOf(text) == 0)
        text = zeroText();
}

void emptyTexts(BracketTexts& bracket)
{
    bracket.lower.clear();
    bracket.upper.clear();
    bracket.fee.clear();
}

// A bracket typed as zeros is a bracket the user did not mean to use.
void emptyZeroBrackets(ScheduleTexts& schedule)
{
    for (BracketTexts& bracket : schedule.brackets) {
        if (isEmptyOrZero(bracket.lower) && isEmptyOrZero(bracket.upper) &&
            isEmptyOrZero(bracket.fee))
            emptyTexts(bracket);
    }
}

// Moves the brackets in use down to fill the empty ones before them, keeping their order and
// each one's fee type.
void closeGaps(ScheduleTexts& schedule)
{
    auto& brackets = schedule.brackets;
    for (int target = 0; target < bracketCount - 1; ++target) {
        if (!brackets[target].isEmpty())
            continue;
        int source = target + 1;
        while (source < bracketCount && brackets[source].isEmpty())
            ++source;
        if (source == bracketCount)
            continue;

        BracketTexts& moved = brackets[source];
        BracketTexts& filled = brackets[target];
        filled.lower = moved.lower;
        filled.upper = moved.upper;
        filled.fee = moved.fee;
        emptyTexts(moved);
        for (int between = target + 1; between < source; ++between)
            brackets[between].percentage = false;
        filled.percentage = moved.percentage;
        moved.percentage = false;
    }
}

std::optional<ScheduleRefusal> refuseOrder(ScheduleTexts& schedule, int index, Messenger& messenger,
                                           const std::function<QString()>& languageCode)
{
    messenger.inform(orderMessage(index, languageCode()));
    BracketTexts& bracket = schedule.brackets[index];
    bracket.lower.clear();
    bracket.upper.clear();
    return ScheduleRefusal{ScheduleFieldRef::lower(index)};
}

// Bracket 1 when the user has kept some fee: its upper bound must be above its lower bound.
std::optional<ScheduleRefusal> checkFirstBracket(ScheduleTexts& schedule, Messenger& messenger,
                                                 const std::function<QString()>& languageCode)
{
    BracketTexts& first = schedule.brackets[0];
    if (valueOf(first.lower) >= valueOf(first.upper))
        return refuseOrder(schedule, 0, messenger, languageCode);
    if (first.lower.isEmpty() && !first.upper.isEmpty())
        first.lower = zeroText();
    return std::nullopt;
}

// The third bracket has always compared its lower bound with the second upper bound by value,
// the others by text; a lower bound such as "1000.0" loaded from the file therefore passes
// under the second upper bound "1000" but not under the first.
bool continues(const QString& lower, const QString& previousUpper, int index)
{
    if (index == 2)
        return valueOf(lower) == valueOf(previousUpper);
    return lower == previousUpper;
}

std::optional<ScheduleRefusal> examineBracket(ScheduleTexts& schedule, int index,
                                              Messenger& messenger,
                                              const std::function<QString()>& languageCode)
{
    BracketTexts& bracket = schedule.brackets[index];
    const BracketTexts& previous = schedule.brackets[index - 1];
    if (bracket.isEmpty() || previous.lower.isEmpty()) {
        bracket.percentage = false;
        return std::nullopt;
    }

    setZeroWhenNull(bracket.lower);
    setZeroWhenNull(bracket.upper);
    setZeroWhenNull(bracket.fee);

    if (!continues(bracket.lower, previous.upper, index)) {
        messenger.inform(continuityNotice(index, languageCode()));
        bracket.lower = previous.upper;
    }

    if (valueOf(bracket.lower) >= valueOf(bracket.upper))
        return refuseOrder(schedule, index, messenger, languageCode);
    return std::nullopt;
}

// The last bracket in use has no upper limit. A bracket whose lower bound is 0 does not count,
// so after an accepted schedule without fees the first bracket is the one left open.
void openLastBracket(ScheduleTexts& schedule)
{
    for (int index = bracketCount - 1; index > 0; --index) {
        BracketTexts& bracket = schedule.brackets[index];
        if (valueOf(bracket.lower) != 0) {
            bracket.upper = openBoundText();
            return;
        }
    }
    schedule.brackets[0].upper = openBoundText();
}

std::optional<ScheduleRefusal> checkLimits(ScheduleTexts& schedule, Messenger& messenger)
{
    const double minimum = valueOf(schedule.minimum);
    const double maximum = valueOf(schedule.maximum);
    if (minimum == 0 && maximum == 0) {
        schedule.minimum.clear();
        schedule.maximum.clear();
        return std::nullopt;
    }
    if (minimum > 0 && maximum > 0 && minimum > maximum) {
        schedule.minimum.clear();
        schedule.maximum.clear();
        messenger.inform(limitsMessage());
        return ScheduleRefusal{ScheduleFieldRef::minimum()};
    }
    return std::nullopt;
}

// Equal limits mean one fee whatever the amount: a single open bracket with that fixed fee.
void applyFlatFee(ScheduleTexts& schedule)
{
    const double minimum = valueOf(schedule.minimum);
    if (minimum != valueOf(schedule.maximum) || minimum == 0)
        return;

    BracketTexts& first = schedule.brackets[0];
    first.upper = openBoundText();
    first.fee = schedule.minimum;
    first.percentage = false;
    for (int index = 1; index < bracketCount; ++index)
        schedule.brackets[index] = BracketTexts{};
    schedule.minimum.clear();
    schedule.maximum.clear();
}

} // namespace

std::optional<ScheduleRefusal>
prepareSchedule(ScheduleTexts& schedule, Messenger& messenger,
                const std::function<QString()>& languageCode,
                const std::function<void(const ScheduleTexts&)>& save)
{
    emptyZeroBrackets(schedule);
    closeGaps(schedule);

    BracketTexts& first = schedule.brackets[0];
    setZeroWhenNull(first.upper);
    setZeroWhenNull(first.fee);

    if (first.fee == zeroText() && first.upper == zeroText()) {
        // Nothing is remembered of the answer: the next calculation asks again.
        const bool accepted = messenger.confirm(zeroFeeQuestion(languageCode()));
        first.percentage = false;
        if (!accepted) {
            emptyTexts(first);
            return ScheduleRefusal{ScheduleFieldRef::lower(0)};
        }
        first.lower = zeroText();
        first.upper = zeroText();
        first.fee = zeroText();
    } else if (auto refusal = checkFirstBracket(schedule, messenger, languageCode)) {
        return refusal;
    }

    for (int index = 1; index < bracketCount; ++index) {
        if (auto refusal = examineBracket(schedule, index, messenger, languageCode))
            return refusal;
    }

    openLastBracket(schedule);
    save(schedule);

    if (auto refusal = checkLimits(schedule, messenger))
        return refusal;
    applyFlatFee(schedule);
    return std::nullopt;
}
