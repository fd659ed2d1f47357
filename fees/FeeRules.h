#pragma once

#include "ScheduleTexts.h"
#include "TradeAmount.h"

#include <array>
#include <optional>

// One bracket as numbers. Brackets after the last one in use read as an upper bound of 0 and a
// fixed fee of 0, which is what makes an amount above the open bound run past all of them.
struct Bracket
{
    double upper = 0;
    double fee = 0;          // euros, or per cent of the amount when percentage is set
    bool percentage = false; // otherwise a fixed sum whatever the amount

    friend bool operator==(const Bracket&, const Bracket&) = default;
};

// The fee page as numbers. A minimum of 0 and a maximum of the open bound mean "no limit".
struct Schedule
{
    std::array<Bracket, bracketCount> brackets{};
    double minimum = 0;
    double maximum = openBound;

    friend bool operator==(const Schedule&, const Schedule&) = default;
};

// How an amount finds its bracket: the purchase and each pass of the price search may run past
// the last bracket (over the limit); the sale at the price found always lands in one.
enum class Lookup
{
    Bounded,
    Open,
};

// Every text by the plain number reading; an empty minimum reads 0 and an empty maximum, or one
// of 0, reads as the open bound, so that a limit nobody typed never bites.
Schedule scheduleFromTexts(const ScheduleTexts& texts);

// The first bracket (0-based) whose upper bound is at least the amount; an amount equal to an
// upper bound belongs to that bracket. Nothing when the amount is above every upper bound.
// The amount is compared in decimals, as its shares times its price.
std::optional<int> boundedBracket(const Schedule& schedule, const TradeAmount& amount);

// As the bounded lookup over the first four brackets; anything above them is the fifth bracket,
// whatever its upper bound.
int openBracket(const Schedule& schedule, const TradeAmount& amount);

// The bracket (0-based) that takes the largest amounts the program accepts: the first whose
// upper bound is the open bound, or the fifth when none is.
int lastBracketInUse(const Schedule& schedule);

// The fee of one bracket for an amount, before the minimum and maximum.
double bracketFee(const Bracket& bracket, double amount);

// The minimum first, then the maximum; a fee equal to a limit is unchanged.
double limitedFee(const Schedule& schedule, double fee);

// The fee of a trade: the bracket of the amount, its fee, then the limits. Nothing when the
// bounded lookup finds the amount over the limit; the open lookup always gives a fee.
std::optional<double> Calcul_Frais(const Schedule& schedule, const TradeAmount& amount,
                                   Lookup lookup);
