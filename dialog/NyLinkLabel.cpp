#include "dialog/NyLinkLabel.h"

#include <QMouseEvent>

#include "dialog/Colors.h"
#include "settings/NyBaseQt.h"

namespace corvane {

TNyLinkLabel::TNyLinkLabel(QWidget* parent) : QLabel(parent) {
    // Only the underline is the label's own; family and size come from the form.
    QFont underlined;
    underlined.setUnderline(true);
    setFont(underlined);
    SetFontColor(DefaultFontColor);
    setCursor(Qt::PointingHandCursor);
}

TColor TNyLinkLabel::FontColor() const {
    return TColorOf(palette().color(QPalette::WindowText));
}

void TNyLinkLabel::SetFontColor(TColor color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, QColorOf(color, colors));
    setPalette(colors);
}

void TNyLinkLabel::Click() {
    emit Clicked();
    if (!FURL.trimmed().isEmpty()) ShellOpen(FURL);
}

void TNyLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
}

void TNyLinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    emit MouseEntered();
    FRememberedColor = FontColor();
    SetFontColor(FActiveFontColor);
}

void TNyLinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit MouseLeft();
    SetFontColor(FRememberedColor);
}

}  // namespace corvane
