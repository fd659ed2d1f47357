#pragma once

#include "CalculationDetails.h"
#include "ChartTexts.h"
#include "ProfitCurve.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// One line of the working: what it is, then its value or its sum.
struct DetailLine
{
    QString label;
    QString value;
};

struct DetailSection
{
    QString title;
    QList<DetailLine> lines;
};

// The amounts a bracket takes: "de 0,00 € à 1 000,00 €", "au-delà de 1 000,00 €", or "toute
// vente" ("tout achat") when a single bracket takes them all.
QString bracketText(const FeeBreakdown& fee, bool sale, bool english, const QLocale& locale);

// "Fourchette 2" and the bracket's amounts.
DetailLine bracketLine(const FeeBreakdown& fee, bool sale, bool english, const QLocale& locale);

// The fee rule in words: "fixe 10,00 €", "0,50 % de 1 000,00 € = 5,00 €, porté au minimum de
// 8,00 €", "…, plafonné au maximum de 20,00 €".
QString feeRuleText(const FeeBreakdown& fee, bool english, const QLocale& locale);

// A wanted profit in the trade's mode: "10 %" or "19,00 €"; a tax rate reads as the first.
QString wantedProfitText(double wanted, bool percentMode, const QLocale& locale);

// The working of the calculation: the purchase, the target, the sale at the price shown and,
// when the price is held on a boundary, the jump of the fee; then the break-even price.
QList<DetailSection> workingSections(const CalculationDetails& details, bool english,
                                     const QLocale& locale);

// The sale at a price the user types: its amount, bracket, fee, both profits and whether the
// wanted profit is reached.
QList<DetailLine> saleLines(const SaleAtPrice& sale, const CalculationDetails& details,
                            bool english, const QLocale& locale);

// The readout of an empty price field: every line, no value.
QList<DetailLine> noSaleLines(const CalculationDetails& details, bool english,
                              const QLocale& locale);

// What the chart shows, in words, for assistive technology.
QString chartDescription(const ProfitCurve& curve, const CalculationDetails& details, bool english,
                         const QLocale& locale);

ChartTexts chartTexts(bool english);

// The line above details whose inputs have changed on the main window since.
QString outOfDateLine(bool english);

QStringList ladderHeader(bool english);
// Who shows the price the ladder's own row is compared with.
enum class PriceShownBy
{
    MainWindow,
    CommandLine,
};

// A rung's cells; its note says when the price shown for it (by the main window or the command
// line) is lower.
QStringList ladderCells(const LadderRow& row, const CalculationDetails& details, bool english,
                        const QLocale& locale, PriceShownBy shownBy = PriceShownBy::MainWindow);
