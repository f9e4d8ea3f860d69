#pragma once
// Helpers of the Qt tests: waiting while the event loop runs, and a widget as painted.

#include <QWidget>

#include <functional>

#include "platform/raster/Bitmap32.h"

namespace corvane::test {

// Runs the event loop until the condition holds or the time is up; true when it holds.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

// The widget as painted, as a bitmap (rows from the top, the unused byte 0).
Bitmap32 Grab(QWidget& widget);

}  // namespace corvane::test
