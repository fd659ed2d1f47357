#pragma once

#include "TaxRates.h"

#include <QLocale>
#include <QString>

#include <optional>

// The tidy form of a typed rate: a null value becomes "0", then a leading point gets its zero
// and leading zeros, trailing decimal zeros and a trailing point go: 00.50 -> 0.5, 10. -> 10.
QString tidyRate(const QString& rateText);

// Why a set of rates cannot be stored, and which box must be typed again.
struct RateRefusal
{
    int index = 0; // 0, 1, 2 for the first, second, third rate
    QString text;

    friend bool operator==(const RateRefusal&, const RateRefusal&) = default;
};

// Each rate at most 100, then strictly rising from the first to the third; the first failing
// check wins. A rate of 0 or 100 is admissible.
std::optional<RateRefusal> checkRates(const RateTexts& rates, const QLocale& locale);
