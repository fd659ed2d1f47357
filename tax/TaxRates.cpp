#include "TaxRates.h"

#include "IniStore.h"
#include "Messenger.h"
#include "NumberText.h"
#include "SettingsKeys.h"

namespace {

// What a rate outside 0 to 100 is reset to: the file gets the point form, the screen the
// regional one, and the message names the value as the file holds it.
struct RateReset
{
    QString fileText;
    QString screenText;
    QString aboveLine; // second line of the message for a rate above 100
    QString belowLine; // second line for a rate below 0
};

RateReset rateReset(int index, const QLocale& locale)
{
    switch (index) {
    case 0:
        return {QStringLiteral("10"), QStringLiteral("10"),
                QStringLiteral("La première valeur va être réinitialisée à 10 %"),
                QStringLiteral("La première valeur va être réinitialisée à 10 %")};
    case 1:
        // "deuxime" is misspelt on purpose: it is the wording users of the program know.
        return {QStringLiteral("26"), QStringLiteral("26"),
                QStringLiteral("La deuxime valeur va être réinitialisée à 26 %"),
                QStringLiteral("La deuxième valeur va être réinitialisée à 26 %")};
    default:
        return {QStringLiteral("32.5"), regionalText(32.5, locale),
                QStringLiteral("La troisième valeur va être réinitialisée à 32.5 %"),
                QStringLiteral("La troisième valeur va être réinitialisée à 32.5 %")};
    }
}

Message repairMessage(const QString& firstLine, const QString& secondLine)
{
    return {QStringLiteral("Erreur de saisie"), firstLine + QLatin1String("\n\r") + secondLine,
            MessageIcon::Information};
}

RateTexts readRates(const IniStore& store, const RateTexts& defaults)
{
    RateTexts rates;
    for (int i = 0; i < 3; ++i) {
        const QString stored = store.Lire_Ini(settingsSection(), rateKey(i));
        rates[i] = stored.trimmed().isEmpty() ? defaults[i] : stored;
    }
    return rates;
}

} // namespace

RateTexts defaultRates()
{
    return {QStringLiteral("10"), QStringLiteral("26"), QStringLiteral("32.50")};
}

QString rateKey(int index)
{
    return QLatin1String("T") + QString::number(index + 1);
}

QString rateCaption(const QString& rateText)
{
    return rateText + QLatin1String(" %");
}

double rateValue(const QString& rateText, const QLocale& locale)
{
    return regionalNumber(rateText, locale);
}

RateTexts loadShownRates(const IniStore& store, Messenger& messenger, const QLocale& locale)
{
    RateTexts rates = readRates(store, defaultRates());

    for (int i = 0; i < 3; ++i) {
        const RateReset reset = rateReset(i, locale);
        // The below-0 test reads what the above-100 test left, so one rate gives one message.
        if (rateValue(rates[i], locale) > 100) {
            store.Ecrire_Ini(settingsSection(), rateKey(i), reset.fileText);
            rates[i] = reset.screenText;
            messenger.inform(repairMessage(
                QStringLiteral("Les plus-values ne peuvent être imposées à plus de 100 %."),
                reset.aboveLine));
        }
        if (rateValue(rates[i], locale) < 0) {
            store.Ecrire_Ini(settingsSection(), rateKey(i), reset.fileText);
            rates[i] = reset.screenText;
            messenger.inform(
                repairMessage(QStringLiteral("L'imposition des plus-values ne peut être négative."),
                              reset.belowLine));
        }
    }
    return rates;
}

RateTexts loadCalculationRates(const IniStore& store, const QLocale& locale)
{
    return readRates(store,
                     {QStringLiteral("10"), QStringLiteral("26"), regionalText(32.5, locale)});
}
