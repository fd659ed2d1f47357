#include "FeeStore.h"

#include "IniStore.h"
#include "SettingsKeys.h"

namespace {

QString bracketKey(const char* prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index + 1);
}

QString truth(bool value)
{
    return value ? QStringLiteral("Vrai") : QStringLiteral("Faux");
}

QList<std::pair<QString, QString>> scheduleEntries(const ScheduleTexts& schedule)
{
    QList<std::pair<QString, QString>> entries;
    entries.reserve(bracketCount * 5 + 2);
    for (int n = 0; n < bracketCount; ++n) {
        const BracketTexts& bracket = schedule.brackets[n];
        entries.append({bracketKey("FB", n), bracket.lower});
        entries.append({bracketKey("FH", n), bracket.upper});
        entries.append({bracketKey("F", n), bracket.fee});
        entries.append({bracketKey("P", n), truth(bracket.percentage)});
        entries.append({bracketKey("V", n), truth(!bracket.percentage)});
    }
    entries.append({QStringLiteral("Mini"), schedule.minimum});
    entries.append({QStringLiteral("Maxi"), schedule.maximum});
    return entries;
}

} // namespace

ScheduleTexts loadSchedule(const IniStore& store)
{
    const QString section = settingsSection();
    ScheduleTexts schedule;
    for (int n = 0; n < bracketCount; ++n) {
        BracketTexts& bracket = schedule.brackets[n];
        bracket.lower = store.Lire_Ini(section, bracketKey("FB", n));
        bracket.upper = store.Lire_Ini(section, bracketKey("FH", n));
        bracket.fee = store.Lire_Ini(section, bracketKey("F", n));
        bracket.percentage =
            store.Lire_Ini(section, bracketKey("P", n)).toLower() == QLatin1String("vrai");
    }
    schedule.minimum = store.Lire_Ini(section, QStringLiteral("Mini"));
    schedule.maximum = store.Lire_Ini(section, QStringLiteral("Maxi"));
    return schedule;
}

void saveSchedule(const IniStore& store, const ScheduleTexts& schedule)
{
    store.writeKeys(settingsSection(), scheduleEntries(schedule));
}

void clearSavedSchedule(const IniStore& store)
{
    saveSchedule(store, ScheduleTexts{});
}
