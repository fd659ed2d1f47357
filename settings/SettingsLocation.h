#pragma once

#include <QString>

// The settings file sits beside the executable and is named after it ("vantrelle.ini"). When
// that directory cannot be written (an installed copy), the user's configuration directory is
// used instead so that the fee schedule is still kept.
QString defaultSettingsPath();
