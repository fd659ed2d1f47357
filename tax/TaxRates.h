#pragma once

#include <QLocale>
#include <QString>

#include <array>

class IniStore;
class Messenger;

// The three capital-gains tax rates as texts in per cent, first to third, the way the settings
// file and the option captions hold them. They stay texts so that a stored "32.50" is shown as
// the user typed it.
using RateTexts = std::array<QString, 3>;

// What a blank key stands for on screen: "10", "26", "32.50".
RateTexts defaultRates();

// "T1", "T2", "T3" for index 0, 1, 2.
QString rateKey(int index);

// The option caption for a rate text: "26" gives "26 %".
QString rateCaption(const QString& rateText);

// A rate text as a number of per cent. The dialog stores rates with a point while the regional
// separator may be a comma, and a file edited by hand may hold either, so both the point and
// the comma are read as the decimal separator whatever the locale, as is the locale's own
// separator. A text with no leading number reads as 0.
double rateValue(const QString& rateText, const QLocale& locale);

// The rates for the option captions: blank keys give "10", "26", "32.50"; a rate above 100 or
// below 0 is reset in the file and on screen and the user is told, first rate first. A missing
// file is not created.
RateTexts loadShownRates(const IniStore& store, Messenger& messenger, const QLocale& locale);

// The rates a calculation works with: blank keys give "10", "26" and 32.5 with the regional
// separator; nothing is repaired or written.
RateTexts loadCalculationRates(const IniStore& store, const QLocale& locale);
