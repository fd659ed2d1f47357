#pragma once

#include "CsvDialect.h"
#include "TradeCalculation.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// The results as text: the schedule used, then a line each with the numbers of the window's
// labels, the captions in one column and the amounts aligned; an inexact price adds the facts
// of the fee jump. With details, the working and the ladder follow as an aligned table.
QString reportText(const CalcReport& report, const QString& scheduleName, bool english,
                   const QLocale& locale);

// The report as one JSON object: the schedule's name, the results and the sale at the price
// shown, amounts in euros with two decimals; or the error's kind and message.
QString reportJson(const CalcReport& report, const QString& scheduleName);

// The result columns of a CSV line, in the order of the JSON keys, then the error; amounts with
// the dialect's decimal mark.
QStringList csvResultHeader();
QStringList csvResultCells(const CalcReport& report, const CsvDialect& dialect);

// A message's text with each of its line breaks as one "\n".
QString messageText(const Message& message);
