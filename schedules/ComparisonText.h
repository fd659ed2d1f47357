#pragma once

#include "ScheduleComparison.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// What was compared, in one line above the table: the shares, their price, the wanted profit
// and the tax.
QString comparisonSummary(const Trade& trade, double taxRate, bool english, const QLocale& locale);

// The column headings of the comparison: the schedule, the purchase fee, the cost price, the
// minimum selling price, the sale fee, the profit after tax at that price, and the remarks.
QStringList comparisonHeadings(bool english);

// One row's texts under those headings; a refused schedule has its reason under the first
// amount and nothing under the others.
QStringList comparisonCells(const ComparisonRow& row, bool english, const QLocale& locale);

// The table as plain text, a row a line and a tab between columns, under a line that says
// what was compared.
QString comparisonPlainText(const QString& title, const QList<ComparisonRow>& rows, bool english,
                            const QLocale& locale);
