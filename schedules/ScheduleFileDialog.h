#pragma once

#include <QString>

class QWidget;

// "notes" saved as "notes.ini": a file without a suffix of its own gets the schedules' one.
QString withScheduleSuffix(const QString& path);

// The file a schedule is exported to, chosen by the user in the documents folder (or the home
// folder without one), fileName proposed; empty when the user cancels.
QString askExportPath(QWidget* parent, const QString& title, const QString& filter,
                      const QString& fileName);
// The file a schedule is imported from; empty when the user cancels.
QString askImportPath(QWidget* parent, const QString& title, const QString& filter);
