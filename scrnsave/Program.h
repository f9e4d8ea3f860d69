#pragma once
// The program corvane-slideshow: start-up in its fixed order, one run mode, and the end in the
// reverse order.

namespace corvane {

// Runs the program as main() does and returns its exit status: 0, or non-zero when the settings
// file could not be written at the end, when no display can be opened, or when the window to draw
// into does not exist.
int RunProgram(int argc, char** argv);

}  // namespace corvane
