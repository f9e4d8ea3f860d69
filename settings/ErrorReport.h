#pragma once
#include <functional>
#include <string>

namespace corvane {

// Shows an error to the user where a user interface runs (a message box); empty otherwise. It is
// defined next to Config (NyBase.cpp) so that it outlives Config, whose destruction may report.
extern std::function<void(const std::string&)> ErrorReportHook;

// Writes the message to standard error and hands it to ErrorReportHook when one is set. Never
// throws.
void ReportError(const std::string& message) noexcept;

}  // namespace corvane
