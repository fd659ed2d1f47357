#include "DetailsPrint.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace {

// The resolution the picture's pixels are meant for.
constexpr qreal screenDpi = 96;

} // namespace

void printOnOnePage(const QString& html, const PrintedPicture& picture, QPagedPaintDevice& device)
{
    QPainter painter(&device);
    const QRect page = painter.viewport();
    QTextDocument document;
    // Laid out in the device's own units, so that fonts measure as they will print.
    document.documentLayout()->setPaintDevice(&device);
    document.setHtml(html);
    document.setTextWidth(page.width());

    const qreal pixel = device.logicalDpiX() / screenDpi;
    const QSizeF pictureOnPage = picture.size * pixel;
    const qreal height = document.size().height() + pictureOnPage.height();
    const qreal scale = std::min(1.0, page.height() / height);
    painter.scale(scale, scale);
    document.drawContents(&painter);

    painter.translate(0, document.size().height());
    painter.scale(pixel, pixel);
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    picture.paint(painter, QRectF(QPointF(0, 0), picture.size));
}
