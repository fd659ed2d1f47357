#pragma once

#include "Movement.h"

#include <QStringList>

// Movements written as a statement reads: "2026-01-05 buy 100 100 5 40; 2026-02-01 sell 200 130
// 7 0" (date, kind, shares, price, fee, taxes), each given the id of its place in the list.
inline QList<Movement> movementList(const QString& text)
{
    QList<Movement> movements;
    const QStringList lines = text.split(u';', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList parts = line.simplified().split(u' ');
        Movement movement;
        movement.id = movements.size() + 1;
        movement.date = QDate::fromString(parts.value(0), Qt::ISODate);
        movement.kind = parts.value(1) == u"sell" ? MovementKind::Sale : MovementKind::Purchase;
        movement.shares = parts.value(2).toLongLong();
        movement.price = Money::parse(parts.value(3)).value_or(Money());
        movement.fee = Money::parse(parts.value(4)).value_or(Money());
        movement.taxes = Money::parse(parts.value(5)).value_or(Money());
        movements.append(movement);
    }
    return movements;
}
