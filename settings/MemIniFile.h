#pragma once
// An in-memory settings file: the sections and entries of the file (see IniText.h), read when the
// object is created. Every read and write acts on memory; only UpdateFile writes the file, as a
// whole. Lookups find the first section of a name and, in it, the first named entry of a name.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniText.h"

namespace corvane {

class MemIniFile {
  public:
    // Reads the file; a missing file gives an empty store. Throws SettingsError when the file
    // exists but cannot be read.
    explicit MemIniFile(std::filesystem::path fileName);
    virtual ~MemIniFile() = default;
    MemIniFile(const MemIniFile&) = delete;
    MemIniFile& operator=(const MemIniFile&) = delete;

    const std::filesystem::path& FileName() const { return FFileName; }

    // The entry's value, or the default when the section or the entry is missing.
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view defaultValue) const;
    // Replaces the entry where it stands, else adds it at the end of its section, else adds the
    // section at the end.
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);

    // The typed reads give the default also when the value does not convert (IniValue.h).
    int32_t ReadInteger(std::string_view section, std::string_view ident,
                        int32_t defaultValue) const;
    void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
    // Read as an integer (1 or 0 standing for the default): anything but 0 is true.
    bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;
    void WriteBool(std::string_view section, std::string_view ident, bool value);
    double ReadFloat(std::string_view section, std::string_view ident, double defaultValue) const;
    void WriteFloat(std::string_view section, std::string_view ident, double value);

    // The section names in order, each name once.
    std::vector<std::string> ReadSections() const;
    // The names of the section's named entries in order; empty for a missing section.
    std::vector<std::string> ReadSection(std::string_view section) const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // Removes every section of the name, so that afterwards nothing of it is found or written.
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view ident);

    // The file's text as UpdateFile writes it.
    std::string Text() const { return FormatIniText(FSections); }
    // Writes the whole store to the file (SettingsFile.h); throws SettingsError on failure.
    void UpdateFile() const;

  protected:
    const IniSection* FindSection(std::string_view section) const;

  private:
    IniSection* MutableSection(std::string_view section);
    const IniEntry* FindEntry(std::string_view section, std::string_view ident) const;

    std::filesystem::path FFileName;
    std::vector<IniSection> FSections;
};

}  // namespace corvane
