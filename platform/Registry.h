#pragma once
// The registry, kept in files: key K of the current user's root lives in the folder
// ${XDG_CONFIG_HOME:-$HOME/.config}/K, with each backslash of K turned into a slash and a leading
// "Software\" dropped. The key's string values are "Name=Value" lines of the file "registry" in
// that folder; value names compare without regard to ASCII letter case and the first line of a
// name is the one that counts. Opening a key with create makes its folder.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane {

// The roots of the registry; only the current user's is served.
enum class HKEY { CurrentUser };
inline constexpr HKEY HKEY_CURRENT_USER = HKEY::CurrentUser;

class RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The folder that holds the keys of a root: $XDG_CONFIG_HOME when it is set to an absolute path,
// else $HOME/.config (the password database's home folder when HOME is unset).
std::filesystem::path RegistryRootFolder(HKEY root);

// The folder of a key. Throws RegistryError for a key with a "." or ".." part, which would lead
// outside the root.
std::filesystem::path RegistryKeyFolder(HKEY root, std::string_view key);

class RegistryKey {
  public:
    // Opens the key; with create, makes its folder when it is missing. Throws RegistryError when
    // the key does not exist (and create is off) or its folder cannot be made.
    RegistryKey(HKEY root, std::string_view key, bool create);

    const std::filesystem::path& Folder() const { return FFolder; }

    // The string value, or nothing when the key holds no value of that name (or its file cannot
    // be read).
    std::optional<std::string> ReadString(std::string_view name) const;

    // Sets the value, replacing the file as a whole so that a failed write leaves it as it was.
    // Throws RegistryError when the name is empty or holds "=" or a line break, when the value
    // holds a line break, or when the file cannot be written.
    void WriteString(std::string_view name, std::string_view value);

  private:
    std::filesystem::path FFolder;
};

}  // namespace corvane
