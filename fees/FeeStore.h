#pragma once

#include "ScheduleTexts.h"

#include <QList>
#include <QStringList>

#include <utility>

class IniStore;

// The fee schedule as the settings file keeps it: FBn, FHn, Fn, Pn, Vn for n = 1 to 5, then
// Mini and Maxi, all in the program's section.
ScheduleTexts loadSchedule(const IniStore& store);
// The same keys in another section of the file.
ScheduleTexts loadSchedule(const IniStore& store, const QString& section);

// The keys read back, in the order scheduleFromSavedValues() takes their values.
QStringList savedScheduleKeys();
// The page as a start-up shows it from those values: the fee type is a percentage when Pn in
// lower case is "vrai".
ScheduleTexts scheduleFromSavedValues(const QStringList& values);
// The 27 keys and values a save writes, in their order.
QList<std::pair<QString, QString>> scheduleEntries(const ScheduleTexts& schedule);

// Writes the 27 keys exactly as the fields hold them, in one locked rewrite of the file.
void saveSchedule(const IniStore& store, const ScheduleTexts& schedule);

// Writes the 27 keys of an empty schedule with fixed-sum fees.
void clearSavedSchedule(const IniStore& store);
