#pragma once

#include "Message.h"
#include "Money.h"
#include "Movement.h"

#include <QLocale>
#include <QString>

// The texts of the positions in both languages, amounts in the locale's format to the cent.
QString moneyText(Money amount, const QLocale& locale);
QString dateText(const QDate& date, bool english);
QString kindText(MovementKind kind, bool english);

// Why a change of the movements was refused: a sale of more shares than held on its date.
Message oversoldMessage(const Movement& sale, bool english);
// A line that could not be read, or a store that could not be opened or written.
Message positionsMessage(const QString& text, bool english);
