#include "BracketOrdinal.h"

#include "ScheduleTexts.h"

#include <QtGlobal>

#include <array>

QString bracketOrdinal(int index, bool english)
{
    static constexpr std::array<const char16_t*, bracketCount> french = {
        u"première", u"deuxième", u"troisième", u"quatrième", u"cinquième"};
    static constexpr std::array<const char16_t*, bracketCount> inEnglish = {
        u"first", u"second", u"third", u"fourth", u"fifth"};
    const auto at = std::size_t(qBound(0, index, bracketCount - 1));
    return QString::fromUtf16(english ? inEnglish[at] : french[at]);
}
