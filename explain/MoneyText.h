#pragma once

#include <QLocale>
#include <QString>

// Amounts as money reads in the user's regional format: two decimals, thousands grouped, the
// euro sign where the locale puts its currency sign ("1 000,00 €", "€1,000.00"); a dash for
// a value that is not a number.
QString moneyText(double euros, const QLocale& locale, int decimals = 2);

// A percentage with at least two decimals and more only where they count: "0,50 %", "0,125 %".
QString percentText(double percent, const QLocale& locale);

// A whole number of shares, thousands grouped.
QString sharesText(double shares, const QLocale& locale);
