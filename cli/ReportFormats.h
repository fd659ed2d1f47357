#pragma once

#include "TradeCalculation.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// The results as text, one line each, with the numbers of the window's labels; an inexact price
// adds the facts of the fee jump. With details, the working and the ladder follow as the details
// window copies them.
QString reportText(const CalcReport& report, bool english, const QLocale& locale);

// The report as one JSON object: the results, amounts in cents, or the error's kind and message.
QString reportJson(const CalcReport& report);

// The result columns of a CSV line, in the order of the JSON keys, then the error.
QStringList csvResultHeader();
QStringList csvResultCells(const CalcReport& report);

// A message's text with each of its line breaks as one "\n".
QString messageText(const Message& message);
