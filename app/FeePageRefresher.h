#pragma once

#include "FeePage.h"
#include "Messenger.h"
#include "ScheduleTexts.h"

// Shows the fee page as the preparation has left it so far before each of its messages, so the
// user sees the brackets it is talking about.
class FeePageRefresher : public Messenger
{
public:
    FeePageRefresher(Messenger& messenger, FeePage& page, const ScheduleTexts& schedule)
        : m_messenger(messenger), m_page(page), m_schedule(schedule)
    {}

    void inform(const Message& message) override
    {
        m_page.setSchedule(m_schedule);
        m_messenger.inform(message);
    }

    bool confirm(const Message& message) override
    {
        m_page.setSchedule(m_schedule);
        return m_messenger.confirm(message);
    }

private:
    Messenger& m_messenger;
    FeePage& m_page;
    const ScheduleTexts& m_schedule;
};
