#pragma once

#include <QChar>
#include <QLocale>

enum class NumericKind
{
    Decimal,     // digits and one point
    WholeNumber, // digits only
};

// Only the ASCII digits: digits of other scripts would read as no number at all.
inline bool isPlainDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The point is the decimal separator in every field, whatever the regional settings.
inline bool isPoint(QChar c)
{
    return c == u'.';
}

// Whether a field of this kind may hold the character at all (a decimal field holds one point).
inline bool mayHold(NumericKind kind, QChar c)
{
    return isPlainDigit(c) || (kind == NumericKind::Decimal && isPoint(c));
}

// Where the regional decimal separator is the comma, a comma typed or pasted into a decimal field
// is the user's decimal point, and the field takes a point in its place. Elsewhere the comma
// separates thousands, and dropping it gives the number meant.
inline bool standsForPoint(NumericKind kind, QChar c, const QLocale& locale = QLocale())
{
    return kind == NumericKind::Decimal && c == u',' && locale.decimalPoint() == u',';
}
