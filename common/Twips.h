#pragma once

#include <QtGlobal>

// Window sizes and positions are designed in twips, 1440 to the inch; converting with the screen's
// logical DPI keeps the proportions on a high-DPI screen.
inline int twipsToPixels(int twips, qreal logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}
