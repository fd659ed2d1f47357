#pragma once

#include <QString>

// What --help writes, in the language of the output: the commands, their options, the CSV
// dialects and the exit statuses.
QString helpText(bool english);
