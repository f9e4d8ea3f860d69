#include "settings/NyBase.h"

namespace corvane {

// Defined in this order so that, should Config be left to the end of the program, the hook it
// may report through is still alive when it is destroyed.
std::function<void(const std::string&)> ErrorReportHook;
std::string AppPath;
std::unique_ptr<TNyConfig> Config;

std::string ReadRegString(std::string_view key, std::string_view name, HKEY root) {
    try {
        return RegistryKey(root, key, true).ReadString(name).value_or("");
    } catch (const RegistryError&) {
        return "";
    }
}

std::string ReadAppPath() {
    std::string path = ReadRegString(AppRegistryKey, AppPathValueName);
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

void InitializeNyBase() {
    AppPath = ReadAppPath();
    Config = std::make_unique<TNyConfig>(AppPath + std::string(ConfigFileName));
}

bool FinalizeNyBase() noexcept {
    bool written = true;
    if (Config && Config->AutoSave()) {
        written = Config->TryUpdateFile();
        Config->SetAutoSave(false);  // written or reported once, not again by the destructor
    }
    Config.reset();
    AppPath.clear();
    return written;
}

}  // namespace corvane
