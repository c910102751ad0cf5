#pragma once

#include "BarcodePainter.h"
#include "LabelSheetLayout.h"
#include "PaintedDocument.h"
#include "ProductLabel.h"

#include <QHash>
#include <QList>

namespace asv {

// Price labels laid out on a label sheet or a roll: name, norm, sale price and the barcode.
class LabelSheet : public PaintedDocument {
public:
    // labels: one entry per printed label; startPosition: the first free label of a partly used
    // sheet, 1 = top left.
    LabelSheet(LabelSheetLayout layout, QList<ProductLabel> labels, int startPosition = 1);

    const LabelSheetLayout& layout() const { return m_layout; }
    // The page set-up the layout asks for.
    QPageLayout defaultPageLayout() const;
    // Products whose barcode cannot be printed, with the reason; their labels carry none.
    QStringList unprintable() const;

    int pageCount() const override;
    void paintPage(QPainter& painter, int page) const override;

    // Where a label sits: page and rectangle in mm.
    std::pair<int, QRectF> placeOf(int label) const;

private:
    void paintLabel(QPainter& painter, const QRectF& rect, const ProductLabel& label) const;

    LabelSheetLayout m_layout;
    QList<ProductLabel> m_labels;
    int m_skip;
    QHash<QString, BarcodePainter> m_barcodes;
};

} // namespace asv
