#pragma once

#include <QString>

// The three trade fields of the data page.
enum class TradeField
{
    Price,  // purchase price of one share
    Shares, // number of shares bought
    Profit, // profit wanted, per cent or euros depending on the mode
};

// The trade data as the user typed it: texts, exactly as shown in the fields.
struct TradeTexts
{
    QString price;
    QString shares;
    QString profit;

    QString& text(TradeField field)
    {
        switch (field) {
        case TradeField::Shares:
            return shares;
        case TradeField::Profit:
            return profit;
        case TradeField::Price:
            break;
        }
        return price;
    }

    friend bool operator==(const TradeTexts&, const TradeTexts&) = default;
};
