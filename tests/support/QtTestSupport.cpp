#include "tests/support/QtTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>

#include <chrono>
#include <thread>

namespace corvane::test {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

Bitmap32 Grab(QWidget& widget) {
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    Bitmap32 b(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) b.SetPixel(x, y, row[x] & 0x00FFFFFFu);
    }
    return b;
}

}  // namespace corvane::test
