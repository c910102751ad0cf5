#include "PaperText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Fonts take whole pixels: text is set in tenths of a millimetre.
constexpr double kUnitsPerMm = 10.0;

QFont paperFont(double lineMm, bool bold)
{
    QFont font(u"NanumGothic"_s);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(lineMm * kUnitsPerMm))));
    font.setBold(bold);
    return font;
}

} // namespace

void PaperText::draw(QPainter& painter, const QRectF& rect, double lineMm, const QString& text, int flags, bool bold)
{
    const QFont font = paperFont(lineMm, bold);
    const QRectF scaled(rect.topLeft() * kUnitsPerMm, rect.size() * kUnitsPerMm);
    painter.save();
    painter.scale(1 / kUnitsPerMm, 1 / kUnitsPerMm);
    painter.setFont(font);
    painter.drawText(scaled, flags, QFontMetricsF(font).elidedText(text, Qt::ElideRight, scaled.width()));
    painter.restore();
}

double PaperText::width(const QString& text, double lineMm, bool bold)
{
    return QFontMetricsF(paperFont(lineMm, bold)).horizontalAdvance(text) / kUnitsPerMm;
}

} // namespace asv
