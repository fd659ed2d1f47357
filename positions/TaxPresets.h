#pragma once

#include <QList>
#include <QString>

// The transaction taxes a position's market levies, as they stand in the year given: the user
// picks one to fill the rates, or types any rate.
struct TaxPreset
{
    QString french;
    QString english;
    int year = 0;
    QString purchaseRate; // per cent; empty for none
    QString saleRate;     // per cent; empty for none
    QString saleCap;      // euros per trade; empty for none
};

QList<TaxPreset> taxPresets();
