#include "settings/IniText.h"

namespace corvane {
namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::vector<IniSection> ParseIniText(std::string_view text) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
        text.remove_prefix(byteOrderMark.size());

    std::vector<IniSection> sections;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;  // CR, or the CR of CR LF
        if (pos < text.size() && text[pos] == '\n') ++pos;  // LF, or the LF of CR LF

        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({std::string(Trim(line.substr(1, line.size() - 2))), {}});
            continue;
        }
        if (sections.empty()) continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            sections.back().Entries.push_back({std::string(line), {}, true});
        } else {
            sections.back().Entries.push_back({std::string(Trim(line.substr(0, eq))),
                                               std::string(Trim(line.substr(eq + 1))), false});
        }
    }
    return sections;
}

std::string FormatIniText(const std::vector<IniSection>& sections) {
    std::string text;
    for (const IniSection& section : sections) {
        text += '[';
        text += section.Name;
        text += "]\n";
        for (const IniEntry& entry : section.Entries) {
            text += entry.Name;
            if (!entry.Raw) {
                text += '=';
                text += entry.Value;
            }
            text += '\n';
        }
        text += '\n';
    }
    return text;
}

}  // namespace corvane
