#include "PaintedDocument.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

namespace asv {

namespace {

constexpr double kMmPerInch = 25.4;

} // namespace

bool PaintedDocument::render(QPagedPaintDevice& device)
{
    setPageLayout(device.pageLayout());
    const int pages = pageCount();
    if (pages <= 0)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpi = device.logicalDpiX();
    // The device's origin is the corner of its printable area; the layout counts from the paper's.
    const QPointF origin = m_layout.paintRectPixels(static_cast<int>(dpi)).topLeft();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.resetTransform();
        painter.translate(-origin);
        painter.scale(dpi / kMmPerInch, dpi / kMmPerInch);
        paintPage(painter, page);
    }
    return painter.end();
}

QImage PaintedDocument::pageImage(int page, double dpi) const
{
    const QSizeF paper = paperMm();
    QImage image(static_cast<int>(std::ceil(paper.width() * dpi / kMmPerInch)),
                 static_cast<int>(std::ceil(paper.height() * dpi / kMmPerInch)), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / kMmPerInch * 1000));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(dpi / kMmPerInch, dpi / kMmPerInch);
    paintPage(painter, page);
    return image;
}

} // namespace asv
