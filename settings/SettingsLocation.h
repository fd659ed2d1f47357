#pragma once

#include <QString>

// The settings file sits beside the executable and is named after it ("vantrelle.ini"). An
// installed copy (in /usr, /opt or a "bin" directory, or wherever the user cannot write) keeps
// it in the user's configuration directory instead, so that the fee schedule is still kept and
// no file is left among the programs.
QString defaultSettingsPath();

// The same choice, for a given executable and configuration directory.
QString settingsPathFor(const QString& executablePath, const QString& configDirectory);
