#pragma once

#include "Message.h"
#include "TradeTexts.h"

// Why the trade data cannot be calculated: the message to show, then the field to empty and
// to put the focus in, on the data page.
struct TradeRefusal
{
    TradeField field = TradeField::Price;
    Message message;

    friend bool operator==(const TradeRefusal&, const TradeRefusal&) = default;
};
