#include "settings/IniValue.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace corvane {
namespace {

// A leading "+" is accepted by hand, since the standard conversions take only "-".
std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    std::string_view hex;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        hex = text.substr(2);
    else if (text.size() > 1 && text[0] == '$')
        hex = text.substr(1);
    if (!hex.empty()) {
        uint32_t bits = 0;
        auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), bits, 16);
        if (error != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
        return int32_t(bits);
    }
    text = WithoutPlus(text);
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseIniFloat(std::string_view text) {
    text = WithoutPlus(text);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FormatIniFloat(double value) {
    char text[400];  // room for the longest fixed form below 1e15
    if (!std::isfinite(value) || value == 0) {
        auto end = std::to_chars(text, text + sizeof text, value).ptr;
        return std::string(text, end);
    }
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    std::string scientific(text, end);
    int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    if (exponent < -4 || exponent >= 15) return scientific;
    end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return std::string(text, end);
}

}  // namespace corvane
