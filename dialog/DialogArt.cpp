#include "dialog/DialogArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace corvane {

namespace {

QPixmap Transparent(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A small tick box at (x, y); ticked or crossed out or empty, on a selection highlight or not.
enum class TMark { None, Tick, Cross };

void TickBox(QPainter& p, qreal x, qreal y, qreal size, TMark mark, bool highlighted) {
    const QRectF box(x + 0.5, y + 0.5, size - 1, size - 1);
    p.setPen(QPen(QColor(0x4a, 0x5a, 0x70), 1));
    p.setBrush(highlighted ? QColor(0x9c, 0xc4, 0xf0) : QColor(Qt::white));
    p.drawRect(box);
    if (mark == TMark::Tick) {
        p.setPen(QPen(QColor(0x1e, 0x8c, 0x2e), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(box.left() + 1.5, box.center().y()),
                                  QPointF(box.center().x() - 0.5, box.bottom() - 1.5),
                                  QPointF(box.right() - 1.2, box.top() + 1.2)}));
    } else if (mark == TMark::Cross) {
        p.setPen(QPen(QColor(0xc8, 0x28, 0x28), 1.4, Qt::SolidLine, Qt::RoundCap));
        const QRectF inner = box.adjusted(2, 2, -2, -2);
        p.drawLine(inner.topLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomLeft());
    }
}

QPixmap DrawToolIcon(TToolIcon icon) {
    QPixmap pixmap = Transparent(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case TToolIcon::CheckAll:
            // Two ticked boxes, one behind the other: every item.
            TickBox(p, 0, 0, 10, TMark::Tick, false);
            TickBox(p, 6, 6, 10, TMark::Tick, false);
            break;
        case TToolIcon::UncheckAll:
            TickBox(p, 0, 0, 10, TMark::Cross, false);
            TickBox(p, 6, 6, 10, TMark::Cross, false);
            break;
        case TToolIcon::CheckSelected:
            // One box on the selection's highlight: the selected items.
            TickBox(p, 2, 2, 12, TMark::Tick, true);
            break;
        case TToolIcon::UncheckSelected:
            TickBox(p, 2, 2, 12, TMark::Cross, true);
            break;
    }
    return pixmap;
}

QPixmap DrawPageIcon(TPageIcon icon) {
    QPixmap pixmap = Transparent(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case TPageIcon::Options: {
            // Three sliders.
            for (int i = 0; i < 3; ++i) {
                const qreal y = 7 + i * 9;
                p.setPen(QPen(QColor(0x50, 0x58, 0x66), 2, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(4, y), QPointF(28, y));
                const qreal knob = i == 0 ? 20 : i == 1 ? 10 : 16;
                QLinearGradient shade(knob - 4, y - 4, knob + 4, y + 4);
                shade.setColorAt(0, QColor(0x7d, 0xb8, 0xf5));
                shade.setColorAt(1, QColor(0x1f, 0x5f, 0xb4));
                p.setPen(QPen(QColor(0x17, 0x3e, 0x75), 1));
                p.setBrush(shade);
                p.drawRoundedRect(QRectF(knob - 3.5, y - 4.5, 7, 9), 2, 2);
            }
            break;
        }
        case TPageIcon::GetMore: {
            // A parcel with an arrow into it.
            p.setPen(QPen(QColor(0x80, 0x5a, 0x22), 1));
            p.setBrush(QColor(0xe0, 0xb0, 0x60));
            p.drawRect(QRectF(5.5, 15.5, 21, 13));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2e, 0x8b, 0x3a));
            p.drawPolygon(
                QPolygonF({QPointF(13, 2), QPointF(19, 2), QPointF(19, 11), QPointF(24, 11),
                           QPointF(16, 20), QPointF(8, 11), QPointF(13, 11)}));
            break;
        }
        case TPageIcon::About: {
            // An "i" in a blue disc.
            QRadialGradient disc(QPointF(12, 10), 20);
            disc.setColorAt(0, QColor(0x8c, 0xc4, 0xff));
            disc.setColorAt(1, QColor(0x1a, 0x56, 0xb0));
            p.setPen(QPen(QColor(0x12, 0x3c, 0x80), 1));
            p.setBrush(disc);
            p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(14, 7, 4.5, 4.5));
            p.drawRoundedRect(QRectF(14, 13.5, 4.5, 12), 1.5, 1.5);
            break;
        }
    }
    return pixmap;
}

}  // namespace

QPixmap MonitorPicture() {
    QPixmap pixmap = Transparent(178, 160);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The stand: a neck and an oval foot.
    QLinearGradient metal(0, 138, 0, 160);
    metal.setColorAt(0, QColor(0x9a, 0x9e, 0xa6));
    metal.setColorAt(1, QColor(0x5c, 0x60, 0x68));
    p.setPen(QPen(QColor(0x46, 0x4a, 0x52), 1));
    p.setBrush(metal);
    p.drawRect(QRectF(76.5, 138.5, 25, 11));
    p.drawEllipse(QRectF(40.5, 146.5, 97, 12.5));

    // The case, lit from above.
    QLinearGradient light(0, 0, 0, 140);
    light.setColorAt(0, QColor(0xe4, 0xe6, 0xea));
    light.setColorAt(1, QColor(0xa8, 0xac, 0xb4));
    p.setPen(QPen(QColor(0x56, 0x5a, 0x62), 1));
    p.setBrush(light);
    p.drawRoundedRect(QRectF(0.5, 0.5, 177, 140), 7, 7);

    // The screen's sunken bezel and the screen itself.
    const QRectF screen(MonitorScreen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0x40, 0x46));
    p.drawRoundedRect(screen.adjusted(-3, -3, 3, 3), 2, 2);
    p.setBrush(Qt::black);
    p.drawRect(screen);

    // The power light.
    p.setBrush(QColor(0x3c, 0xc8, 0x4c));
    p.drawEllipse(QRectF(159, 131, 5, 5));
    return pixmap;
}

QIcon ToolIcon(TToolIcon icon) {
    return QIcon(DrawToolIcon(icon));
}

QIcon PageIcon(TPageIcon icon) {
    return QIcon(DrawPageIcon(icon));
}

}  // namespace corvane
