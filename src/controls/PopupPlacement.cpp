#include "PopupPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace asv {

void PlacePopup(QWidget& popup, const QWidget* anchor, PopupPlace place)
{
    if (!anchor)
        return;
    popup.adjustSize();
    const QSize size = popup.size();
    const QRect box(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    QPoint at;
    switch (place) {
    case PopupPlace::Below:
        at = box.bottomLeft() + QPoint(0, 1);
        break;
    case PopupPlace::Above:
        at = box.topLeft() - QPoint(0, size.height() + 1);
        break;
    case PopupPlace::Centred: {
        const QWidget* owner = anchor->window();
        const QRect frame(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        at = frame.center() - QPoint(size.width() / 2, size.height() / 2);
        break;
    }
    }
    if (const QScreen* screen = anchor->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    }
    popup.move(at);
}

} // namespace asv
