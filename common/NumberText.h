#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Reads the number a field's text starts with: leading blanks skipped, an optional sign, digits
// and at most one "." point; reading stops at the first other character. Anything that does not
// start with a number reads as 0. The regional separator is deliberately not recognised.
double plainNumber(QStringView text);

// Rounds to cents on the double itself, an exact half going to the even cent.
double roundCents(double value);

// " 12.35", " 101", " .45", "-3.2": a blank or a minus sign, then the number with a point,
// no digit before the point below 1, no trailing zeros, at most 15 significant digits.
QString signBlankText(double value);

// The number with the locale's decimal separator, a 0 before it below 1, no trailing zeros,
// no group separators, at most 15 significant digits.
QString regionalText(double value, const QLocale& locale);

// Reads a number written with the point, the comma or the locale's decimal separator, so that a
// value stored as "32.5" or "32,5" is read the same under French and English regional settings.
double regionalNumber(const QString& text, const QLocale& locale);

// Message texts break lines with LF+CR or CR+LF pairs; on screen each pair is one line break.
QString displayText(QString text);
