#pragma once

#include "SellingPrice.h"

#include <QLocale>
#include <QString>

enum class EurosVariant
{
    Price,  // a price per share: only an exact 0 reads "0 euro"
    Profit, // a profit: a loss reads "0 euro" too
};

enum class TradeSide
{
    Purchase,
    Sale,
};

// The text of a price or profit label for a value already rounded to cents, with "." as the
// decimal point whatever the regional settings: " 10.1 euros", "1 euro", "0.45 euro".
QString Texte_Euros(double value, EurosVariant variant);

// A fee rounded to cents in the regional format, then " euros" or " euro" as the plural rule
// of the fee label below decides.
QString feeEuros(double fee, const QLocale& locale);

// The text of a fee label: the fee rounded to cents in the regional format, " euros" or
// " euro", a line feed and a carriage return, then where the fee is paid. The plural follows
// the unrounded fee as its regional text reads back by the plain reading, so under a comma
// locale 1.50 ("1,5", read back as 1) takes the singular.
QString feeCaption(double fee, TradeSide side, const QLocale& locale);

// Why an inexact price is short of the wanted profit, for the mark beside it: its profit after
// tax, then the price one cent higher and its own, in the regional format.
QString shortPriceNote(const SellingPrice& result, const QLocale& locale, bool english);

// What dimmed results say when the inputs have changed since they were calculated.
QString outOfDateNote(bool english);
