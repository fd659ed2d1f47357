#pragma once

#include "ScheduleTexts.h"
#include "TradeTexts.h"

// Rewrites every numeric field of the window into its tidy form before a calculation: first a
// leading point gets its zero (all fields but the number of shares), then each non-empty text
// gets the clean-up of its kind. The fee types are left alone.
void normaliseFields(TradeTexts& trade, ScheduleTexts& schedule);
