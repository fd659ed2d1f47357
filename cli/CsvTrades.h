#pragma once

#include "CalcRequest.h"
#include "Message.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <variant>

// The columns of a trade line, as its header line names them.
QStringList csvTradeHeader();

// The cells of one line: split at the separator, a cell in double quotes may hold separators
// and doubled quotes. Quoted line breaks are not supported: one trade is one line.
QStringList csvCells(QStringView line, QChar separator = u',');

// A cell as written back: quoted when it holds the separator, a quote or blanks at either end.
QString csvCell(const QString& text, QChar separator = u',');

// The trade of a line's cells, or why it is refused: the mode is "percent" (the default) or
// "cash", the tax option 1, 2 or 3 (2 by default, the window's option).
std::variant<CalcRequest, Message> csvTrade(const QStringList& cells, bool english);

// Whether the line is the header, and the message when the first line is not: the header
// expected with the separator detected, named, and the line found.
bool isCsvTradeHeader(const QStringList& cells);
Message csvHeaderMessage(QChar separator, const QString& found, bool english);
