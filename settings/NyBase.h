#pragma once
// The program's own base services: the installation folder AppPath, the one settings object
// Config, the registry read, the folder listing and the tick count of the slideshow's pause.
//
// The program's main() starts the unit with InitializeNyBase (after the single-instance guard) and
// ends it with FinalizeNyBase, whose result tells whether the settings file could be written.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "settings/ErrorReport.h"
#include "settings/FindFiles.h"
#include "settings/NyConfig.h"
#include "settings/SettingsError.h"
#include "settings/Ticks.h"

namespace corvane {

inline constexpr std::string_view AppRegistryKey = "Software\\Lantrel\\Corvane Slideshow";
inline constexpr std::string_view AppPathValueName = "AppPath";
inline constexpr std::string_view ConfigFileName = "config.ini";

// The installation folder, always ending in "/": "/" alone when the registry holds no folder.
extern std::string AppPath;
// The settings object on AppPath + "config.ini", from InitializeNyBase to FinalizeNyBase.
extern std::unique_ptr<TNyConfig> Config;

// Opens the key under the root, creating it when it is missing, and reads the string value;
// empty when the value is missing or the key can neither be opened nor created.
std::string ReadRegString(std::string_view key, std::string_view name,
                          HKEY root = HKEY_CURRENT_USER);

// The installation folder from the registry, with "/" appended unless it ends in one; "/" alone
// when the value is missing or empty.
std::string ReadAppPath();

// Sets AppPath and creates Config on AppPath + "config.ini". Throws SettingsError when the
// settings file exists but cannot be read.
void InitializeNyBase();

// Destroys Config, which writes the settings file while its AutoSave is set (a run that must not
// write clears AutoSave first), and clears AppPath. A failed write is reported on standard error
// and through ErrorReportHook, leaves the old file as it was and gives false: the program then
// ends with a non-zero exit status.
[[nodiscard]] bool FinalizeNyBase() noexcept;

}  // namespace corvane
