#include "shell/InputFilter.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWindow>

namespace corvane {

TInputFilter::TInputFilter(std::function<void()> closeShow, QObject* parent)
    : QObject(parent), FCloseShow(std::move(closeShow)) {}

bool TInputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
            FCloseShow();
            break;
        case QEvent::MouseMove: {
            // A pointer move reaches the window first and is then passed on to the widget below
            // the pointer in that widget's own coordinates; only the window's copy counts, so
            // each move is judged once. It is judged by where the pointer is on the desktop: the
            // show may have a window on each screen, and a window that appears under a pointer
            // that stays (a screen plugged in) sees it somewhere else in its own coordinates.
            if (!watched->isWindowType()) break;
            const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            // Taken as two unsigned 16-bit values, as the system's pointer messages carry them.
            const QPoint position(global.x() & 0xFFFF, global.y() & 0xFFFF);
            if (FMouseStart.x() < 0 || FMouseStart.y() < 0)
                FMouseStart = position;
            else if (position != FMouseStart)
                FCloseShow();
            break;
        }
        default:
            break;
    }
    return false;
}

}  // namespace corvane
