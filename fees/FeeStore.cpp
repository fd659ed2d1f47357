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

} // namespace

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

QStringList savedScheduleKeys()
{
    QStringList keys;
    for (int n = 0; n < bracketCount; ++n)
        keys << bracketKey("FB", n) << bracketKey("FH", n) << bracketKey("F", n)
             << bracketKey("P", n);
    keys << QStringLiteral("Mini") << QStringLiteral("Maxi");
    return keys;
}

ScheduleTexts loadSchedule(const IniStore& store)
{
    return loadSchedule(store, settingsSection());
}

ScheduleTexts loadSchedule(const IniStore& store, const QString& section)
{
    // One reading of the file for the whole page, rather than one per key.
    return scheduleFromSavedValues(store.readKeys(section, savedScheduleKeys()));
}

ScheduleTexts scheduleFromSavedValues(const QStringList& values)
{
    ScheduleTexts schedule;
    if (values.size() != savedScheduleKeys().size())
        return schedule;
    qsizetype next = 0;
    for (BracketTexts& bracket : schedule.brackets) {
        bracket.lower = values[next++];
        bracket.upper = values[next++];
        bracket.fee = values[next++];
        bracket.percentage = values[next++].toLower() == QLatin1String("vrai");
    }
    schedule.minimum = values[next++];
    schedule.maximum = values[next];
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
