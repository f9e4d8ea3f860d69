#pragma once
// The in-memory settings file that writes itself back when it is destroyed, while AutoSave is set,
// with the program's typed reads and list sections on top.

#include <string>
#include <vector>

#include "settings/MemIniFile.h"

namespace corvane {

class TNyMemIniFile : public MemIniFile {
  public:
    // Reads the file (see MemIniFile) and sets AutoSave.
    explicit TNyMemIniFile(std::filesystem::path fileName);
    // With AutoSave set, writes the file first. A failed write is reported (ReportError), never
    // thrown: the old file stays as it was.
    ~TNyMemIniFile() override;

    bool AutoSave() const { return FAutoSave; }
    void SetAutoSave(bool autoSave) { FAutoSave = autoSave; }

    int32_t GetInt(std::string_view key, int32_t defaultValue, std::string_view section) const;
    bool GetBool(std::string_view key, bool defaultValue, std::string_view section) const;

    // When a list is given, it becomes the values of the section's entries in order, names
    // ignored; a raw entry gives its text less its first character. A missing section gives an
    // empty list.
    void ReadList(std::string_view section, std::vector<std::string>* list) const;
    // Erases the section, then writes the strings under the names "0", "1", "2", ..., so that the
    // section stands at the end of the file.
    void WriteList(std::string_view section, const std::vector<std::string>& list);

    // Writes the file. A failure is reported (ReportError) and gives false; nothing is thrown.
    bool TryUpdateFile() const noexcept;

  private:
    bool FAutoSave = true;
};

}  // namespace corvane
