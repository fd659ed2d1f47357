#pragma once

#include "ScheduleTexts.h"

class IniStore;

// The fee schedule as the settings file keeps it: FBn, FHn, Fn, Pn, Vn for n = 1 to 5, then
// Mini and Maxi, all in the program's section.
ScheduleTexts loadSchedule(const IniStore& store);

// Writes the 27 keys exactly as the fields hold them, in one locked rewrite of the file.
void saveSchedule(const IniStore& store, const ScheduleTexts& schedule);

// Writes the 27 keys of an empty schedule with fixed-sum fees.
void clearSavedSchedule(const IniStore& store);
