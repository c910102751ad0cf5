#pragma once

#include <QImage>
#include <QPageLayout>

class QPagedPaintDevice;
class QPainter;

namespace asv {

// A printed paper laid out page by page in millimetres from the paper's top-left corner, so the
// same layout goes to a printer, a PDF file or an image. Widget-free.
class PaintedDocument {
public:
    virtual ~PaintedDocument() = default;

    // The paper and margins the pages are laid out on.
    const QPageLayout& pageLayout() const { return m_layout; }
    void setPageLayout(const QPageLayout& layout) { m_layout = layout; }
    QSizeF paperMm() const { return m_layout.fullRect(QPageLayout::Millimeter).size(); }
    QRectF printableMm() const { return m_layout.paintRect(QPageLayout::Millimeter); }

    virtual int pageCount() const = 0;
    virtual void paintPage(QPainter& painter, int page) const = 0;

    // Lays the document out on the device's paper and paints every page; false when the device
    // could not be opened or there is nothing to print.
    bool render(QPagedPaintDevice& device);
    // One page at dpi dots per inch on white.
    QImage pageImage(int page, double dpi) const;

private:
    QPageLayout m_layout;
};

} // namespace asv
