#pragma once

#include "Messenger.h"

// Counts the messages instead of showing them, so nothing waits for a click; every question is
// answered No.
class RecordingMessenger : public Messenger
{
public:
    void inform(const Message&) override { ++shown; }
    bool confirm(const Message&) override
    {
        ++shown;
        return false;
    }

    int shown = 0;
};
