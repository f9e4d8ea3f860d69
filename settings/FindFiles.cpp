#include "settings/FindFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <locale>
#include <set>
#include <tuple>
#include <utility>

namespace corvane {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Wildcard match of the whole name: "*" any run of characters, "?" one character.
bool WildcardMatch(std::string_view mask, std::string_view name) {
    size_t m = 0, n = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || LowerAscii(mask[m]) == LowerAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

// A mask ending in ".*" also takes names without an extension, as "*.*" takes every name.
bool MaskMatches(const std::string& mask, const std::string& name) {
    if (WildcardMatch(mask, name)) return true;
    return mask.size() >= 2 && mask.ends_with(".*") && name.find('.') == std::string::npos &&
           WildcardMatch(mask, name + ".");
}

std::locale UserLocale() {
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();  // the environment names a locale that is not installed
    }
}

// UTF-8 to wide characters; a byte that is not part of a valid sequence stands for itself in the
// range U+DC80..U+DCFF, so that every name has a key and keeps its place.
std::wstring Widen(const std::string& text) {
    std::wstring wide;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = text[i];
        int length = lead < 0x80         ? 1
                     : (lead >> 5) == 6  ? 2
                     : (lead >> 4) == 14 ? 3
                     : (lead >> 3) == 30 ? 4
                                         : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            unsigned char next = text[i + k];
            valid = (next >> 6) == 2;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= smallest[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF);
        if (valid) {
            wide.push_back(wchar_t(code));
            i += length;
        } else {
            wide.push_back(wchar_t(0xDC00 + lead));
            ++i;
        }
    }
    return wide;
}

// The collation key of a name: folded to lower case, then transformed by the locale's collation,
// so that comparing keys compares the names as the user's locale orders them.
std::wstring SortKey(const std::string& name, const std::locale& locale) {
    std::wstring wide = Widen(name);
    std::use_facet<std::ctype<wchar_t>>(locale).tolower(wide.data(), wide.data() + wide.size());
    return std::use_facet<std::collate<wchar_t>>(locale).transform(wide.data(),
                                                                   wide.data() + wide.size());
}

void SortNames(std::vector<std::string>& list) {
    const std::locale locale = UserLocale();
    std::vector<std::pair<std::wstring, std::string>> keyed;
    keyed.reserve(list.size());
    for (std::string& name : list) keyed.emplace_back(SortKey(name, locale), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < list.size(); ++i) list[i] = std::move(keyed[i].second);
}

// A walk of a folder tree in the order of its sorted paths.
class TTreeWalk {
  public:
    TTreeWalk(std::vector<std::string>& list, size_t maxFiles)
        : FList(list), FLimit(list.size() + maxFiles), FLocale(UserLocale()) {}

    int Added() const { return FAdded; }

    void Walk(const std::string& folder) {
        if (!Enter(folder)) return;
        struct Entry {
            std::wstring Key;
            std::string Name;
            bool Folder;
        };
        std::vector<Entry> entries;
        std::error_code error;
        std::filesystem::directory_iterator it(folder, error), end;
        for (; !error && it != end; it.increment(error)) {
            std::string name = it->path().filename().string();
            std::error_code typeError;
            const bool isFolder = it->is_directory(typeError);  // links followed
            if (isFolder && name.starts_with('.')) continue;    // hidden folders
            entries.push_back({SortKey(name, FLocale), std::move(name), isFolder});
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return std::tie(a.Key, a.Name) < std::tie(b.Key, b.Name);
        });
        for (const Entry& entry : entries) {
            if (FList.size() >= FLimit) return;
            const std::string path = folder + "/" + entry.Name;
            if (entry.Folder) {
                Walk(path);
            } else {
                FList.push_back(path);
                ++FAdded;
            }
        }
    }

  private:
    // Marks the folder as listed; false when it was (reached again through a link) or is gone.
    bool Enter(const std::string& folder) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0) return false;
        return FVisited.emplace(info.st_dev, info.st_ino).second;
    }

    std::vector<std::string>& FList;
    size_t FLimit;  // the list's size at which the walk stops
    std::locale FLocale;
    std::set<std::pair<dev_t, ino_t>> FVisited;
    int FAdded = 0;
};

}  // namespace

int FindFilesInTree(const std::string& folder, std::vector<std::string>& list, size_t maxFiles) {
    TTreeWalk walk(list, maxFiles);
    walk.Walk(folder);
    return walk.Added();
}

int FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list,
              bool fullPaths) {
    int added = 0;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError) || !MaskMatches(mask, name)) continue;
        list.push_back(fullPaths ? folder + "/" + name : name);
        ++added;
    }
    SortNames(list);
    return added;
}

}  // namespace corvane
