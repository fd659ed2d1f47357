#pragma once

#include <QString>

class QPagedPaintDevice;

// Draws the rich text on the first page of the device, scaled down to fit that one page.
void printOnOnePage(const QString& html, QPagedPaintDevice& device);
