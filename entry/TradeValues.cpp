#include "TradeValues.h"

#include "NumberText.h"

Trade tradeFromTexts(const TradeTexts& texts, bool percentMode)
{
    return {plainNumber(texts.price), plainNumber(texts.shares), plainNumber(texts.profit),
            percentMode};
}
