#include "LabelSheet.h"

#include "PaperText.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"

#include <QPageSize>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr double kPadding = 1.5;

} // namespace

LabelSheet::LabelSheet(LabelSheetLayout layout, QList<ProductLabel> labels, int startPosition)
    : m_layout(std::move(layout)), m_labels(std::move(labels)),
      m_skip(m_layout.roll ? 0 : std::clamp(startPosition, 1, m_layout.perPage()) - 1)
{
    for (const ProductLabel& label : std::as_const(m_labels)) {
        if (!label.barcode.isEmpty() && !m_barcodes.contains(label.barcode))
            m_barcodes.insert(label.barcode, BarcodePainter(label.barcode, ProductLabel::barcodeKind(label.barcode)));
    }
    setPageLayout(defaultPageLayout());
}

QPageLayout LabelSheet::defaultPageLayout() const
{
    // The sheet's own geometry places the labels, so the printer's margins are not added to it.
    return QPageLayout(QPageSize(m_layout.paperMm(), QPageSize::Millimeter, {}, QPageSize::ExactMatch),
                       QPageLayout::Portrait, {}, QPageLayout::Millimeter);
}

QStringList LabelSheet::unprintable() const
{
    QStringList out;
    for (const ProductLabel& label : m_labels) {
        const auto it = m_barcodes.constFind(label.barcode);
        const QString line = label.name + u" : "_s + (it == m_barcodes.cend() ? QString() : it->error());
        if (it != m_barcodes.cend() && !it->isValid() && !out.contains(line))
            out.append(line);
    }
    return out;
}

int LabelSheet::pageCount() const
{
    const int per = m_layout.perPage();
    return (m_skip + static_cast<int>(m_labels.size()) + per - 1) / per;
}

std::pair<int, QRectF> LabelSheet::placeOf(int label) const
{
    const int slot = m_skip + label;
    return {slot / m_layout.perPage(), m_layout.labelRect(slot % m_layout.perPage())};
}

void LabelSheet::paintPage(QPainter& painter, int page) const
{
    const int per = m_layout.perPage();
    const int first = std::max(0, page * per - m_skip);
    const int last = std::min(static_cast<int>(m_labels.size()), (page + 1) * per - m_skip);
    for (int i = first; i < last; ++i)
        paintLabel(painter, placeOf(i).second, m_labels[i]);
}

void LabelSheet::paintLabel(QPainter& painter, const QRectF& rect, const ProductLabel& label) const
{
    const QRectF inner = rect.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const double h = inner.height();
    const double nameLine = std::min(4.0, h * 0.16);
    const double smallLine = std::min(3.0, h * 0.12);
    double y = inner.top();
    PaperText::draw(painter, QRectF(inner.left(), y, inner.width(), nameLine * 1.2), nameLine, label.name,
                    Qt::AlignLeft | Qt::AlignVCenter, true);
    y += nameLine * 1.2;
    const QString price = FormatNumber(label.price, GetDecFormat(SharedOptions::current().priceDecimals, true, true))
                          + u"원"_s;
    const double priceWidth = PaperText::width(price, nameLine, true) + 0.5;
    PaperText::draw(painter, QRectF(inner.left(), y, inner.width() - priceWidth, smallLine * 1.3), smallLine, label.norm);
    PaperText::draw(painter, QRectF(inner.right() - priceWidth, y, priceWidth, smallLine * 1.3), nameLine, price,
                    Qt::AlignRight | Qt::AlignVCenter, true);
    y += smallLine * 1.3 + 0.5;

    const auto it = m_barcodes.constFind(label.barcode);
    if (it == m_barcodes.cend() || !it->isValid())
        return;
    const double digitsLine = std::min(2.5, h * 0.1);
    const QRectF bars(inner.left(), y, inner.width(), inner.bottom() - y - digitsLine * 1.2);
    it->paint(painter, bars);
    PaperText::draw(painter, QRectF(inner.left(), bars.bottom(), inner.width(), digitsLine * 1.2), digitsLine,
                    label.barcode, Qt::AlignHCenter | Qt::AlignVCenter);
}

} // namespace asv
