#pragma once

#include <QIcon>

// The program's own icon, from the resources built into the app library.
QIcon programIcon();
