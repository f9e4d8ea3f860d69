#pragma once
#include <cstddef>
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

// The most files FindFilesInTree lists.
inline constexpr size_t MaxTreeFiles = 100000;

// Appends the files of the whole tree below Folder to List, as Folder + "/" + their path below
// it, sorted by that path without regard to letter case by the user's locale, folder name by folder
// name (a folder's files and subfolders in the order of their names): every kind of entry but
// folders, hidden (dot) files included. Hidden (dot) folders are skipped; links to folders are
// followed, each folder listed once, so a link back up the tree ends nothing and repeats
// nothing. At most maxFiles are listed: the first ones in that order. Folders that are missing
// or cannot be read add nothing. Returns the number of files added.
int FindFilesInTree(const std::string& folder, std::vector<std::string>& list,
                    size_t maxFiles = MaxTreeFiles);

}  // namespace corvane
