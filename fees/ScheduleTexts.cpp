#include "ScheduleTexts.h"
