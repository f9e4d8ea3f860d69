#pragma once
// Reading and writing the settings file as a whole.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The largest settings file that is read; a larger one is refused rather than held in memory.
inline constexpr size_t MaxSettingsFileSize = size_t(64) << 20;

// The file's bytes, or nothing when it does not exist. Throws SettingsError (naming the file and
// the system's reason) when it exists but cannot be read, is not a regular file or is larger than
// MaxSettingsFileSize.
std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file);

// Replaces the file's content: the text goes to a new file in the same folder, is flushed to the
// disk and is then renamed over the file, so that a crash, a power loss or a failed write leaves
// the old file whole. A file reached through a symbolic link is replaced where the link points.
// The new file keeps the old one's permissions. When no new file can be made in the folder but
// the file itself may be written, it is written in place instead (truncated, written, flushed).
// Throws SettingsError (naming the file and the system's reason) when anything fails; the old
// file is then untouched and no new file remains, except after a failure part way through a
// write in place.
void WriteSettingsFile(const std::filesystem::path& file, std::string_view text);

}  // namespace corvane
