#include "DetailsPrint.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

void printOnOnePage(const QString& html, QPagedPaintDevice& device)
{
    QPainter painter(&device);
    const QRect page = painter.viewport();
    QTextDocument document;
    // Laid out in the device's own units, so that fonts measure as they will print.
    document.documentLayout()->setPaintDevice(&device);
    document.setHtml(html);
    document.setTextWidth(page.width());
    const qreal scale = std::min(1.0, page.height() / document.size().height());
    painter.scale(scale, scale);
    document.drawContents(&painter);
}
