#pragma once

#include <QString>

// How the messages name a bracket: "première" … "cinquième", or "first" … "fifth", for the
// bracket index 0 to 4.
QString bracketOrdinal(int index, bool english);
