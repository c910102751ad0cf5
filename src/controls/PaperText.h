#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace asv {

// Text on a paper laid out in millimetres: sizes are given as the height of a line in mm, the
// Korean face is asked for by name so that a PDF carries it.
class PaperText {
public:
    // Draws text into rect, elided on the right when it does not fit.
    static void draw(QPainter& painter, const QRectF& rect, double lineMm, const QString& text,
                     int flags = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false);
    // The width text takes at that line height, in mm.
    static double width(const QString& text, double lineMm, bool bold = false);
};

} // namespace asv
