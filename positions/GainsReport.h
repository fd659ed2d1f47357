#pragma once

#include "YearGains.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

// The realised gains of a year as a tax return asks for them: each sale with its date, position,
// shares, price, fees and taxes, cost at the average price and gain or loss, then the totals.

// The column titles, in the language asked for.
QStringList gainsColumns(bool english);
// The cells of one sale, amounts in the locale's format to the cent.
QStringList gainsCells(const YearSale& row, bool english, const QLocale& locale);
// The three totals as lines: gains, losses, net.
QStringList gainsTotals(const YearGains& gains, bool english, const QLocale& locale);

// Tab-separated text for the clipboard, with a title and the totals.
QString gainsText(const YearGains& gains, bool english, const QLocale& locale);
// The same as rich text, for printing.
QString gainsHtml(const YearGains& gains, bool english, const QLocale& locale);
// Comma-separated values with a point, in UTF-8: date,position,shares,price,fee,taxes,cost,gain.
QByteArray gainsCsv(const YearGains& gains);
