#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace asv {

enum class BarcodeKind { Ean13, Ean8, Code128 };

// A barcode encoded once and painted as bars (never a bitmap), so that it stays sharp on any
// printer; the module width is snapped to whole device dots where the device has dots.
class BarcodePainter {
public:
    // text: for EAN the digits with their check digit.
    BarcodePainter(const QString& text, BarcodeKind kind);

    bool isValid() const { return m_error.isEmpty(); }
    // Why the text cannot be a barcode of that kind, in Korean.
    const QString& error() const { return m_error; }
    // Bars and quiet zones, in modules.
    int modules() const { return m_modules; }

    // Paints centred into area (painter coordinates); the rectangle actually covered.
    QRectF paint(QPainter& painter, const QRectF& area) const;

private:
    struct Bar {
        int x;
        int width;
    };
    QList<Bar> m_bars;
    int m_modules = 0;
    QString m_error;
};

} // namespace asv
