#pragma once

#include "CalculationDetails.h"

#include <QLocale>
#include <QString>

// The window's title, also the document's.
QString detailsTitle(bool english);

// The title of the ladder of other wanted profits.
QString ladderTitle(bool english);

// The working and the ladder as plain text, for the clipboard.
QString detailsPlainText(const CalculationDetails& details, bool english, const QLocale& locale);

// The same as rich text, for the working's view and for printing.
QString detailsHtml(const CalculationDetails& details, bool english, const QLocale& locale,
                    bool withLadder);
