#pragma once
// The corvane-render command: renders any frame of any transition, or a whole transition, from
// two picture files to picture files or a YUV4MPEG2 stream.

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace corvane {

// Runs the command with its arguments (without the program name). Returns the exit status: 0 on
// success, 2 on bad input or a failed write (with one line on err naming the problem).
int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     std::FILE* standardOutput = stdout);

}  // namespace corvane
