#pragma once

#include "Money.h"

#include <QDate>

enum class MovementKind
{
    Purchase,
    Sale,
};

// One line of a broker's statement for a position: a purchase or a sale, with the fee and the
// transaction taxes actually paid.
struct Movement
{
    qint64 id = 0; // in the store; 0 before it is kept
    QDate date;
    MovementKind kind = MovementKind::Purchase;
    qint64 shares = 0;
    Money price; // per share
    Money fee;
    Money taxes;

    // What the shares cost or brought in: price × shares, before the fee and the taxes.
    Money amount() const { return price * shares; }

    friend bool operator==(const Movement&, const Movement&) = default;
};
