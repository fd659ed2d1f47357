#pragma once

#include <QRectF>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// A picture printed below the text, painted in screen pixels at this size.
struct PrintedPicture
{
    QSizeF size;
    std::function<void(QPainter&, const QRectF&)> paint;
};

// Draws the rich text and the picture below it on the first page of the device, scaled down
// together to fit that one page.
void printOnOnePage(const QString& html, const PrintedPicture& picture, QPagedPaintDevice& device);
