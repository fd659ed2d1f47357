#pragma once

#include "ScheduleField.h"
#include "ScheduleTexts.h"

#include <QString>

#include <functional>
#include <optional>

class Messenger;

// Tidies and checks the fee page before a calculation, in place: brackets of zeros emptied,
// gaps closed (each bracket keeping its fee type), the defaults of the first bracket, the
// zero-fee question, continuity and order of the brackets, the open bound on the last bracket
// in use, the save, the minimum/maximum check and the flat fee.
//
// languageCode is asked again just before each bilingual message, so a language switch is
// followed at once. save receives the schedule as it stands once the brackets pass; a refusal
// of the minimum and maximum comes after it, so the file then holds the refused limits.
//
// Returns nullopt when the calculation may go on. Otherwise the message has been shown (or the
// user declined a schedule without fees) and the refusal names the field to focus. Whatever
// the outcome, schedule holds every change made up to that point, and the window writes it
// back to the fields, fee types included.
std::optional<ScheduleRefusal>
prepareSchedule(ScheduleTexts& schedule, Messenger& messenger,
                const std::function<QString()>& languageCode,
                const std::function<void(const ScheduleTexts&)>& save);
