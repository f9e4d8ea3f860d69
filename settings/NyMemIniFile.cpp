#include "settings/NyMemIniFile.h"

#include <exception>

#include "settings/ErrorReport.h"

namespace corvane {

TNyMemIniFile::TNyMemIniFile(std::filesystem::path fileName) : MemIniFile(std::move(fileName)) {}

TNyMemIniFile::~TNyMemIniFile() {
    if (FAutoSave) TryUpdateFile();
}

int32_t TNyMemIniFile::GetInt(std::string_view key, int32_t defaultValue,
                              std::string_view section) const {
    return ReadInteger(section, key, defaultValue);
}

bool TNyMemIniFile::GetBool(std::string_view key, bool defaultValue,
                            std::string_view section) const {
    return ReadBool(section, key, defaultValue);
}

void TNyMemIniFile::ReadList(std::string_view section, std::vector<std::string>* list) const {
    if (!list) return;
    list->clear();
    if (const IniSection* s = FindSection(section))
        for (const IniEntry& e : s->Entries) list->push_back(e.Raw ? e.Name.substr(1) : e.Value);
}

void TNyMemIniFile::WriteList(std::string_view section, const std::vector<std::string>& list) {
    EraseSection(section);
    for (size_t i = 0; i < list.size(); ++i) WriteString(section, std::to_string(i), list[i]);
}

bool TNyMemIniFile::TryUpdateFile() const noexcept {
    try {
        UpdateFile();
        return true;
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError("Cannot write the settings file \"" + FileName().string() + "\"");
    }
    return false;
}

}  // namespace corvane
