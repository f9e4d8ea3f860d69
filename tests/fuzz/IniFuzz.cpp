// Feeds arbitrary bytes to the settings file reader. The reader must take anything; what it reads
// must be a fixed point of writing and reading again, and the value conversions must take every
// value it gives.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/IniText.h"
#include "settings/IniValue.h"

namespace {

bool Trimmed(std::string_view text) {
    return text.empty() || (static_cast<unsigned char>(text.front()) > ' ' &&
                            static_cast<unsigned char>(text.back()) > ' ');
}

bool OnOneLine(std::string_view text) {
    return text.find_first_of("\r\n") == text.npos;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto sections = ParseIniText(text);
    for (const IniSection& section : sections) {
        Check(Trimmed(section.Name) && OnOneLine(section.Name));
        for (const IniEntry& entry : section.Entries) {
            Check(Trimmed(entry.Name) && OnOneLine(entry.Name) && OnOneLine(entry.Value));
            if (entry.Raw) {
                Check(!entry.Name.empty() && entry.Name.front() != ';' && entry.Value.empty());
                continue;
            }
            Check(Trimmed(entry.Value) && entry.Name.find('=') == std::string::npos);
            ParseIniInteger(entry.Value);
            if (auto number = ParseIniFloat(entry.Value))
                Check(ParseIniFloat(FormatIniFloat(*number)) == number);
        }
    }
    const std::string written = FormatIniText(sections);
    Check(FormatIniText(ParseIniText(written)) == written);
    return 0;
}
