#pragma once

#include "Movement.h"

#include <QList>
#include <QString>

// A line of shares built in one or several purchases: a name the user gives, an optional code
// (an ISIN), the transaction taxes its market levies, and the fee schedule its trades are
// prefilled from (empty: the one in use).
struct Position
{
    qint64 id = 0; // in the store; 0 before it is kept
    QString name;
    QString code;
    QString scheduleName;
    QString purchaseTaxRate; // per cent, decimal text; empty for none
    QString saleTaxRate;     // per cent, decimal text; empty for none
    QString saleTaxCap;      // euros per trade, decimal text; empty for none
    QList<Movement> movements;

    friend bool operator==(const Position&, const Position&) = default;
};
