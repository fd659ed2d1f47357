#pragma once

#include "CsvDialect.h"
#include "ScheduleComparison.h"

#include <QList>
#include <QLocale>
#include <QString>

// The comparison of the schedules for the command line, from the rows the window shows.

// The line of what was compared, then the window's columns as an aligned table.
QString comparisonText(const QString& summary, const QList<ComparisonRow>& rows, bool english,
                       const QLocale& locale);

// One JSON object: the summary and the rows in order, amounts in euros with two decimals, a
// refused schedule with its status and message instead of amounts.
QString comparisonJson(const QString& summary, const QList<ComparisonRow>& rows);

// A header line, then a line a row, amounts with the dialect's decimal mark.
QString comparisonCsv(const QList<ComparisonRow>& rows, const CsvDialect& dialect);
