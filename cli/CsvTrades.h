#pragma once

#include "CalcRequest.h"
#include "Message.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <variant>

// The columns of a trade line, as its header line names them.
QStringList csvTradeHeader();

// The cells of one line: separated by commas, a cell in double quotes may hold commas and
// doubled quotes. Quoted line breaks are not supported: one trade is one line.
QStringList csvCells(QStringView line);

// A cell as written back: quoted when it holds a comma, a quote or blanks at either end.
QString csvCell(const QString& text);

// The trade of a line's cells, or why it is refused: the mode is "percent" (the default) or
// "cash", the tax option 1, 2 or 3 (2 by default, the window's option).
std::variant<CalcRequest, Message> csvTrade(const QStringList& cells, bool english);

// Whether the line is the header, and the message when the first line is not.
bool isCsvTradeHeader(const QStringList& cells);
Message csvHeaderMessage(bool english);
