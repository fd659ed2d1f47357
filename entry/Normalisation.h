#pragma once

#include <QString>

// Clean-ups applied to the numeric fields before a calculation. Each takes any text, since
// values loaded from the settings file were never filtered, and returns the tidied text.

// "." at the start becomes "0.".
QString withLeadingZero(const QString& text);

// Leading zeros, trailing zeros after a point, and a trailing point removed: 007.50 -> 7.5.
QString tidyDecimal(const QString& text);

// Leading zeros removed; a text of zeros becomes empty: 0007 -> 7.
QString tidyCount(const QString& text);

// Leading zeros removed unless a point follows; a text of zeros becomes empty: 0100 -> 100.
QString tidyBound(const QString& text);

// The first bracket always starts at 0: any non-empty lower bound becomes "0".
QString tidyFirstLowerBound(const QString& text);
