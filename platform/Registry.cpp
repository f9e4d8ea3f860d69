#include "platform/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace corvane {
namespace {

const char* const ValuesFileName = "registry";

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
        if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
        if (ca != cb) return false;
    }
    return true;
}

std::string Reason(int error) {
    return std::strerror(error);
}

// The lines of the key's values file without their line ends; none when the file is missing.
std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

// The value name of a line, or nothing for a line without "=".
std::optional<std::string_view> NameOf(std::string_view line) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return line.substr(0, eq);
}

// Writes the text to a new file next to the target, then renames it over the target, so that the
// target holds either the old or the new content whatever happens meanwhile.
void ReplaceFile(const std::filesystem::path& target, const std::string& text) {
    std::filesystem::path temp = target;
    temp += ".new." + std::to_string(getpid());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        throw RegistryError("Cannot write registry file \"" + target.string() +
                            "\": " + Reason(errno));
    }
    size_t done = 0;
    int error = 0;
    while (done < text.size() && error == 0) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += size_t(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
    }
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temp.c_str());
        throw RegistryError("Cannot write registry file \"" + target.string() +
                            "\": " + Reason(error));
    }
}

}  // namespace

std::filesystem::path RegistryRootFolder(HKEY) {
    // The base directory rules: a relative XDG_CONFIG_HOME is ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::filesystem::path(config);
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* entry = getpwuid(getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    if (!home || home[0] == '\0') throw RegistryError("Cannot find the home folder");
    return std::filesystem::path(home) / ".config";
}

std::filesystem::path RegistryKeyFolder(HKEY root, std::string_view key) {
    const std::string whole(key);
    constexpr std::string_view software = "Software\\";
    if (key.size() >= software.size() &&
        SameNameIgnoringCase(key.substr(0, software.size()), software))
        key.remove_prefix(software.size());
    std::filesystem::path folder = RegistryRootFolder(root);
    while (!key.empty()) {
        size_t end = key.find_first_of("\\/");
        std::string_view part = key.substr(0, end);
        if (part == "." || part == "..")
            throw RegistryError("Invalid registry key \"" + whole + "\"");
        if (!part.empty()) folder /= std::string(part);
        key = end == std::string_view::npos ? std::string_view() : key.substr(end + 1);
    }
    return folder;
}

RegistryKey::RegistryKey(HKEY root, std::string_view key, bool create)
    : FFolder(RegistryKeyFolder(root, key)) {
    std::error_code error;
    if (create) std::filesystem::create_directories(FFolder, error);
    if (!error && !std::filesystem::is_directory(FFolder, error) && !error)
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    if (error) {
        throw RegistryError("Cannot open registry key \"" + std::string(key) +
                            "\": " + error.message());
    }
}

std::optional<std::string> RegistryKey::ReadString(std::string_view name) const {
    for (const std::string& line : ReadLines(FFolder / ValuesFileName)) {
        auto lineName = NameOf(line);
        if (lineName && SameNameIgnoringCase(*lineName, name))
            return line.substr(lineName->size() + 1);
    }
    return std::nullopt;
}

void RegistryKey::WriteString(std::string_view name, std::string_view value) {
    if (name.empty() || name.find_first_of("=\r\n") != std::string_view::npos ||
        value.find_first_of("\r\n") != std::string_view::npos)
        throw RegistryError("Invalid registry value \"" + std::string(name) + "\"");
    std::filesystem::path file = FFolder / ValuesFileName;
    std::vector<std::string> lines = ReadLines(file);
    std::string newLine = std::string(name) + "=" + std::string(value);
    bool replaced = false;
    for (std::string& line : lines) {
        auto lineName = NameOf(line);
        if (lineName && SameNameIgnoringCase(*lineName, name)) {
            line = newLine;
            replaced = true;
            break;
        }
    }
    if (!replaced) lines.push_back(newLine);
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    ReplaceFile(file, text);
}

}  // namespace corvane
