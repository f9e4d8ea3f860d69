#pragma once
#include <string>
#include <vector>

namespace corvane {

// Adds the names in Folder that match Mask ("*" and "?" wildcards, without regard to letter case;
// "*.*" matches every name) to List: every kind of entry but folders, hidden (dot) files
// included; as Folder + "/" + name when fullPaths is set, else the bare name. Then sorts the whole
// List without regard to letter case by the user's locale, and returns the number of names added.
// A folder that is missing or cannot be read adds nothing.
int FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list,
              bool fullPaths);

}  // namespace corvane
