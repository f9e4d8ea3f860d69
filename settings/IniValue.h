#pragma once
// The value texts of the settings file: how integers and floating-point numbers are read from an
// entry's value and how floating-point numbers are written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Decimal text with an optional sign, in the 32-bit range; or hexadecimal text after "0x" / "0X"
// (more than two characters in all) or "$", up to 0xFFFFFFFF, taken as the 32-bit pattern (so
// colours such as 0xFF000005 keep their bits). Anything else is not an integer.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// Decimal text with an optional sign, fraction and exponent that gives a finite number.
std::optional<double> ParseIniFloat(std::string_view text);

// The shortest text that reads back as the same number. Numbers from 1e-4 up to below 1e15 are
// written without an exponent, so that whole numbers (4, 100000) stay readable as integers.
std::string FormatIniFloat(double value);

}  // namespace corvane
