#include "BarcodePainter.h"

#include <QPainter>
#include <cmath>
#include <memory>
#include <zint.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Both EAN and Code 128 want at least ten modules of white on either side to be read.
constexpr int kQuietZone = 10;

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

} // namespace

BarcodePainter::BarcodePainter(const QString& text, BarcodeKind kind)
{
    if (text.isEmpty()) {
        m_error = u"바코드가 비어 있습니다."_s;
        return;
    }
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    symbol->symbology = kind == BarcodeKind::Code128 ? BARCODE_CODE128 : BARCODE_EANX_CHK;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    const QByteArray data = text.toUtf8();
    const int rc = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                   static_cast<int>(data.size()));
    if (rc >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR) {
        m_error = u"『%1』는 바코드로 인쇄할 수 없는 값입니다."_s.arg(text);
        return;
    }
    // The vector's scale and its white margins differ by symbology; every symbol here has a bar of
    // one module, and its first bar stands at the symbol's start.
    float unit = 0;
    float start = 0;
    bool first = true;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        unit = first ? r->width : std::min(unit, r->width);
        start = first ? r->x : std::min(start, r->x);
        first = false;
    }
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        const int x = static_cast<int>(std::lround((r->x - start) / unit));
        const int w = std::max(1, static_cast<int>(std::lround(r->width / unit)));
        m_bars.append({x + kQuietZone, w});
    }
    m_modules = symbol->width + 2 * kQuietZone;
}

QRectF BarcodePainter::paint(QPainter& painter, const QRectF& area) const
{
    if (!isValid() || area.isEmpty())
        return {};
    const double devicePerUnit = std::hypot(painter.deviceTransform().m11(), painter.deviceTransform().m12());
    const double deviceWidth = area.width() * devicePerUnit;
    // Whole dots per module read best; below two dots a module there is nothing to snap to.
    double moduleDevice = std::floor(deviceWidth / m_modules);
    if (moduleDevice < 2)
        moduleDevice = deviceWidth / m_modules;
    const double module = moduleDevice / devicePerUnit;
    const double width = module * m_modules;
    const QRectF covered(area.left() + (area.width() - width) / 2, area.top(), width, area.height());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(covered, Qt::white);
    for (const Bar& bar : m_bars)
        painter.fillRect(QRectF(covered.left() + bar.x * module, covered.top(), bar.width * module, covered.height()),
                         Qt::black);
    painter.restore();
    return covered;
}

} // namespace asv
