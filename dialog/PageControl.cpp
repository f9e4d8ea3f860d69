#include "dialog/PageControl.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {

namespace {

constexpr int TabHeight = 62;
constexpr qreal CornerRadius = 5;

}  // namespace

TTabStrip::TTabStrip(QWidget* parent) : QTabBar(parent) {
    setFocusPolicy(Qt::NoFocus);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setIconSize(QSize(IconSize, IconSize));
}

QSize TTabStrip::tabSizeHint(int) const {
    // For tabs on the left the width is the strip's thickness.
    return QSize(StripWidth, TabHeight);
}

void TTabStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colors = palette();
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i)) continue;
        const bool current = i == currentIndex();
        // The current tab reaches the page; the others stand back a little.
        const QRectF box = QRectF(tabRect(i)).adjusted(current ? 0.5 : 3.5, 1.5, 0.5, -1.5);
        QPainterPath shape;
        shape.addRoundedRect(box.adjusted(0, 0, CornerRadius, 0), CornerRadius, CornerRadius);
        painter.save();
        painter.setClipRect(box.adjusted(-1, -1, 0, 1));
        painter.setPen(colors.color(QPalette::Dark));
        painter.setBrush(current ? colors.color(QPalette::Window) : colors.color(QPalette::Button));
        painter.drawPath(shape);
        painter.restore();

        const QRect area = tabRect(i).adjusted(current ? 0 : 3, 4, 0, -4);
        const QIcon icon = tabIcon(i);
        if (!icon.isNull()) {
            const QRect iconRect(area.left() + (area.width() - IconSize) / 2, area.top(), IconSize,
                                 IconSize);
            icon.paint(&painter, iconRect, Qt::AlignCenter,
                       isTabEnabled(i) ? QIcon::Normal : QIcon::Disabled);
        }
        QFont caption = font();
        caption.setBold(current);
        painter.setFont(caption);
        painter.setPen(colors.color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled,
                                    QPalette::WindowText));
        const QRect textRect(area.left(), area.top() + IconSize + 2, area.width(),
                             area.height() - IconSize - 2);
        const QString text =
            QFontMetrics(caption).elidedText(tabText(i), Qt::ElideRight, textRect.width());
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, text);
    }
}

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TTabStrip(this));
    setTabPosition(QTabWidget::West);
    setFocusPolicy(Qt::NoFocus);
}

}  // namespace corvane
