#include "veltro/gui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace veltro::gui {
namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x3a, 0x4a));
    p.drawRoundedRect(QRectF(2 * s, 2 * s, 28 * s, 28 * s), 4 * s, 4 * s);
    p.setBrush(QColor(0x11, 0x11, 0x11));
    p.drawRoundedRect(QRectF(11 * s, 4 * s, 10 * s, 24 * s), 3 * s, 3 * s);
    const QColor lamps[] = {QColor(0xe0, 0x30, 0x30), QColor(0xf0, 0xb0, 0x20),
                            QColor(0x30, 0xc0, 0x50)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QPointF(16 * s, (8.5 + 7.5 * i) * s), 3 * s, 3 * s);
    }
    return pixmap;
}

}  // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}

}  // namespace veltro::gui
