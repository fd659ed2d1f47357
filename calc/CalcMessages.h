#pragma once

#include "CalcOutcome.h"
#include "Message.h"
#include "ResultTexts.h"

#include <QLocale>
#include <QString>

// The amount over the limit of 99,999,999 euros, for the purchase or for the sale.
Message limitMessage(TradeSide side);

// Why an inexact price is not the wanted profit: the price held on the bracket boundary with
// its profit after tax, then the price one cent higher with its own. The wanted profit is the
// value the field holds, unrounded; its unit is "%" in percentage mode and "€" otherwise.
Message inexactPriceMessage(const SellingPrice& result, double wantedProfit, bool percentMode,
                            const QLocale& locale);

// The message for an outcome that is not Done: the limit messages (French only), or the refusal
// of a tax rate or a percentage fee of 100 % or more, or of a price that came out unusable, in
// the language of the code ("A" for English).
Message refusalMessage(const CalcOutcome& outcome, const QString& languageCode);
