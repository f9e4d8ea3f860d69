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

// Answers the next modal window (a message box, a dialog) once it is up: answer receives it and
// must close it. Runs from the event loop, so it is set up before the call that opens the window.
void AnswerNextModal(std::function<void(QWidget& modal)> answer);

}  // namespace corvane::test
