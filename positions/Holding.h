#pragma once

#include "Movement.h"
#include "Position.h"

#include <QList>

#include <optional>

// A sale with what it realised by the average-cost rule.
struct RealisedSale
{
    Movement sale;
    Money costOfShares; // shares sold × the average cost price on the day
    Money proceeds;     // price × shares − fee − taxes
    Money gain;         // proceeds − cost; a loss below zero
};

// The shares held and what they cost, fees and purchase taxes included. The average cost price
// is the cost over the shares: a purchase changes it, a sale takes its shares at it and leaves
// it as it was.
struct Holding
{
    qint64 shares = 0;
    Money cost;

    bool closed() const { return shares == 0; }
    // The average cost price rounded to the cent, the one a sale's price is searched from. A
    // holding of a single purchase is costed in the calculator's own doubles, (n × p + fee) / n,
    // so that the two round a half cent alike and give the same price to the last cent.
    double costPrice() const;

    std::optional<Movement> onlyPurchase; // while the holding is one purchase and nothing else
};

// The movements of a position replayed in date order, then in the order they were kept.
struct PositionHistory
{
    Holding holding;
    QList<RealisedSale> sales;
    // The first sale of more shares than were held on its date: none is taken from it on.
    std::optional<Movement> oversold;

    bool ok() const { return !oversold; }
};

// The order the rules take movements in: by date, then as they were kept (by id, a new one last).
QList<Movement> inDateOrder(QList<Movement> movements);

PositionHistory replay(const QList<Movement>& movements);
