#include "settings/ErrorReport.h"

#include <cerrno>
#include <cstdio>

namespace corvane {

void ReportError(const std::string& message) noexcept {
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message.c_str());
    std::fflush(stderr);
    if (!ErrorReportHook) return;
    try {
        ErrorReportHook(message);
    } catch (...) {
        // The message is on standard error already; a failing dialog must not end the program.
    }
}

}  // namespace corvane
