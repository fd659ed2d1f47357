#pragma once

#include "ScheduleTexts.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A schedule shared as a small file: one section "[Barème: <name>]" with the keys of the
// settings file, in UTF-8 with CRLF endings, so it opens in any editor and in the program of
// someone else.
// A schedule file is about 1 KB; a larger file than this is no schedule, and is refused before
// it is read, so that reading it never holds up the window.
inline constexpr qsizetype maxScheduleFileSize = 1024 * 1024;

QByteArray scheduleFileBytes(const QString& name, const ScheduleTexts& texts);
// Written whole or not at all.
bool writeScheduleFile(const QString& path, const QString& name, const ScheduleTexts& texts);

struct ImportedSchedule
{
    QString name; // fit for the settings file; it may still be taken
    // The name as the file gives it, when the settings file cannot hold some of its characters.
    QString nameInFile;
    ScheduleTexts texts;
    QString section; // the section it was read from, as the settings reader names it
};

// A schedule from a file made by the program or by hand, read like the settings file: the
// section of a named schedule, or else the program's own, or else the first one; unknown keys
// ignored, values read as the fee page reads them, cut to 254 characters. UTF-8 (with or without
// a byte-order mark), UTF-16 and Windows-1252 files are read. Nothing when no section holds a
// fee key, or when the file is larger than maxScheduleFileSize. fileName gives the name when the
// section has none.
std::optional<ImportedSchedule> readScheduleFile(const QByteArray& bytes, const QString& fileName,
                                                 bool english);
bool isTooLargeForSchedule(const QString& path);
std::optional<ImportedSchedule> importScheduleFile(const QString& path, bool english);
