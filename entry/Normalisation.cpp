#include "Normalisation.h"

QString withLeadingZero(const QString& text)
{
    return text;
}

QString tidyDecimal(const QString& text)
{
    return text;
}

QString tidyCount(const QString& text)
{
    return text;
}

QString tidyBound(const QString& text)
{
    return text;
}

QString tidyFirstLowerBound(const QString& text)
{
    return text;
}
