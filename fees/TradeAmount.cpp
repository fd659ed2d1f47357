#include "TradeAmount.h"

#include <charconv>
#include <cmath>

namespace {

// GCC's and Clang's 128-bit integer: wide enough for the product of two 17-digit decimals
// brought to a common exponent.
__extension__ using Wide = __int128;

// value = digits × 10^exponent.
struct Decimal
{
    Wide digits = 0;
    int exponent = 0;
};

Decimal shortestDecimal(double value)
{
    char text[40];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    Decimal decimal;
    bool negative = false;
    int fractionDigits = 0;
    bool inFraction = false;
    const char* c = text;
    for (; c != written.ptr && *c != 'e'; ++c) {
        if (*c == '-') {
            negative = true;
        } else if (*c == '.') {
            inFraction = true;
        } else {
            decimal.digits = decimal.digits * 10 + (*c - '0');
            fractionDigits += inFraction ? 1 : 0;
        }
    }
    int exponent = 0;
    if (c != written.ptr) {
        // from_chars takes no plus sign.
        const char* digits = c + 1 == written.ptr || c[1] != '+' ? c + 1 : c + 2;
        std::from_chars(digits, written.ptr, exponent);
    }
    decimal.exponent = exponent - fractionDigits;
    if (negative)
        decimal.digits = -decimal.digits;
    return decimal;
}

// Scales a decimal to a lower exponent; nothing when that would not fit.
bool scaleDown(Wide& digits, int steps)
{
    constexpr Wide limit = Wide(1) << 120;
    for (int i = 0; i < steps; ++i) {
        if (digits > limit / 10 || digits < -limit / 10)
            return false;
        digits *= 10;
    }
    return true;
}

} // namespace

bool amountAtMost(const TradeAmount& amount, double bound)
{
    const double product = amount.value();
    // The double product and bound lie within a few units of the last place of their decimals:
    // only a product that close to the bound needs the decimals to decide.
    const double closeness = 1e-12 * std::fmax(std::fabs(product), std::fabs(bound));
    if (!(std::fabs(product - bound) <= closeness) || !std::isfinite(product))
        return product <= bound;

    const Decimal shares = shortestDecimal(amount.shares);
    const Decimal price = shortestDecimal(amount.price);
    const Decimal limit = shortestDecimal(bound);
    Wide left = shares.digits * price.digits;
    Wide right = limit.digits;
    const int leftExponent = shares.exponent + price.exponent;
    const bool fits = leftExponent > limit.exponent
                          ? scaleDown(left, leftExponent - limit.exponent)
                          : scaleDown(right, limit.exponent - leftExponent);
    if (!fits)
        return product <= bound;
    return left <= right;
}
