#pragma once

#include "TradeRefusal.h"
#include "TradeTexts.h"

#include <QString>

#include <functional>
#include <optional>

// Checks the tidied trade data in order: purchase price, number of shares, wanted profit, and
// reports the first failure only. A null profit is allowed and written "0". In percentage
// mode a profit above 100 is refused; in cash mode it has no upper limit.
//
// The language code is asked for only when a message is built, so that a language switch
// made just before is honoured; pass a reader of the settings file, not a copied value.
// The refused field is not emptied here: the message comes first, then the caller empties it.
std::optional<TradeRefusal> checkTrade(TradeTexts& trade, bool percentMode,
                                       const std::function<QString()>& languageCode);
