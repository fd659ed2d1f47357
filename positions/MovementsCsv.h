#pragma once

#include "Position.h"
#include "PositionStore.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A line of a file that cannot be imported, and why, in the language asked for.
struct CsvLineError
{
    int line = 0;
    QString reason;
};

struct CsvMovements
{
    QList<ImportedMovement> movements;
    QList<CsvLineError> errors; // every bad line; a file with any imports nothing

    bool ok() const { return errors.isEmpty(); }
};

// Purchases and sales as a spreadsheet writes them: the header date,position,kind,shares,price,
// fee,taxes (in any order); "," or ";" between fields and a decimal point or comma, told apart as
// spreadsheets write them; UTF-8 with or without its mark, or Windows-1252; dates 2026-03-14 or
// 14/03/2026; kind achat, buy, vente or sell.
CsvMovements readMovementsCsv(const QByteArray& bytes, bool english);

// The same format back, in UTF-8 with "," and a decimal point, every amount exactly as kept.
QByteArray writeMovementsCsv(const QList<Position>& positions);
