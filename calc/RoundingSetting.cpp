#include "RoundingSetting.h"

#include "IniStore.h"
#include "SettingsKeys.h"

namespace {

QString roundingKey()
{
    return QStringLiteral("Arrondi");
}

QString roundedUp()
{
    return QStringLiteral("Superieur");
}

QString roundedToNearest()
{
    return QStringLiteral("Proche");
}

} // namespace

PriceRounding loadPriceRounding(const IniStore& store)
{
    return store.Lire_Ini(settingsSection(), roundingKey()) == roundedUp() ? PriceRounding::Up
                                                                           : PriceRounding::Nearest;
}

void savePriceRounding(const IniStore& store, PriceRounding rounding)
{
    store.Ecrire_Ini(settingsSection(), roundingKey(),
                     rounding == PriceRounding::Up ? roundedUp() : roundedToNearest());
}
