#include "scrnsave/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace corvane {

std::optional<uint32_t> ParseWindowId(const std::string& text) {
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    }
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

namespace {
// The ordinary string-to-integer conversion of the preview handle: optional blanks and sign,
// decimal digits, nothing else, within 32 bits. A handle below 0 names no window.
std::optional<uint32_t> ParseHandle(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::string_view rest(text.data() + i, text.size() - i);
    if (!rest.empty() && rest[0] == '+') rest.remove_prefix(1);
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value, 10);
    if (rest.empty() || ec != std::errc() || end != rest.data() + rest.size()) return std::nullopt;
    return value;
}
}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& allArgs,
                              const std::optional<std::string>& xscreensaverWindow) {
    TCommandLine result;
    std::vector<std::string> args;
    for (const std::string& a : allArgs) {
        if (a == "--subfolders" || a == "-subfolders")
            result.Subfolders = true;
        else
            args.push_back(a);
    }
    // The Linux hosts' options may stand anywhere: the settings program of one host appends
    // "--window-id" to the command line it was given.
    bool hosted = false;
    std::optional<uint32_t> windowId;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--root" || a == "-root") {
            hosted = true;
        } else if (a == "--window-id" || a == "-window-id") {
            hosted = true;
            if (i + 1 < args.size()) windowId = ParseWindowId(args[++i]);
        }
    }
    if (hosted) {
        if (!windowId && xscreensaverWindow) windowId = ParseWindowId(*xscreensaverWindow);
        if (windowId) {
            result.Mode = TRunMode::Hosted;
            result.WindowId = *windowId;
        } else {
            result.Mode = TRunMode::HostedRoot;
        }
        return result;
    }

    if (args.empty()) return result;  // settings
    std::string prefix = args[0].substr(0, 2);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    if (prefix == "/C") return result;
    result.Mode = TRunMode::FullScreen;
    if (prefix == "/P" && args.size() >= 2) {
        if (auto handle = ParseHandle(args[1])) {
            result.Mode = TRunMode::Preview;
            result.WindowId = *handle;
        }
    }
    return result;
}

}  // namespace corvane
