#pragma once

#include "Message.h"
#include "ScheduleBook.h"

#include <QString>

#include <optional>

// What a window tells the user of a change of the schedules that did not go through, nothing
// when it did. Each says what the file holds now: a change is never written in part.
std::optional<Message> scheduleChangeMessage(const ScheduleChange& change, bool english);

// An import refused before reading: the file is larger than a schedule can be.
Message scheduleFileTooLargeMessage(const QString& path, bool english);
