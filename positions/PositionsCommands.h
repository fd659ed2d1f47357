#pragma once

#include <QStringList>

class QTextStream;

// The positions on the command line, beside the calculator's own commands:
//   vantrelle positions [--json] [--settings FILE]         the positions, read only
//   vantrelle positions --import FILE|- [--settings FILE]  a CSV file, all of it or nothing
//   vantrelle gains --year Y [--json|--csv] [--settings FILE]
//   vantrelle calc --position NAME [--sell N] --profit B [--cash] [--tax-option 1|2|3 |
//                  --tax-rate R] [--schedule NAME] [--json] [--settings FILE]
// All but --import only read the database beside the settings file; none writes the settings.

// Whether the arguments (the program's name first) ask for one of these commands.
bool isPositionsCommand(const QStringList& arguments);

// Runs it and returns the exit status: 0 done, 1 refused (input, a file that cannot be used, a
// line of an import), 2 a usage error, 3 a sale over the limit, as the calculation's.
int runPositionsCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
