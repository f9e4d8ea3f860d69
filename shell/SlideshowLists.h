#pragma once
// The picture list and the two playlists of the slideshow, shared by the slideshow cycle and the
// settings dialog. They live from start-up (InitializeSlideshowLists, after the settings store)
// to program end (FinalizeSlideshowLists, before the settings store ends).
//
// PicList holds the full path of every file in AppPath + "Pics", sorted without regard to letter
// case (or, with subfolders, of every file of its tree, sorted by the path below it);
// PicsChecked holds decimal indexes into PicList; EffsChecked decimal effect numbers.

#include <string>
#include <vector>

namespace corvane {

extern std::vector<std::string> PicList;
extern std::vector<std::string> PicsChecked;
extern std::vector<std::string> EffsChecked;

// The pictures folder: AppPath + "Pics".
std::string PicturesFolder();

// Seeds the shared generator from the high-resolution counter, lists the pictures folder into
// PicList and reads the playlists from Config (sections "PicsChecked" and "EffsChecked"). An empty
// picture playlist becomes every picture in list order, an empty effect playlist every effect in
// catalogue order. Without Config both playlists take these defaults. The list takes in the
// subfolders' files when subfolders is set (the command line's --subfolders) or the settings
// file's "Subfolders" of section "Linux" is 1.
void InitializeSlideshowLists(bool subfolders = false);

// Empties the three lists.
void FinalizeSlideshowLists();

}  // namespace corvane
