#include "shell/SlideshowLists.h"

#include "effects/EffectCatalog.h"
#include "effects/Random.h"
#include "platform/Clock.h"
#include "settings/LinuxSettings.h"
#include "settings/NyBase.h"

namespace corvane {

std::vector<std::string> PicList;
std::vector<std::string> PicsChecked;
std::vector<std::string> EffsChecked;

std::string PicturesFolder() {
    return AppPath + "Pics";
}

void InitializeSlideshowLists(bool subfolders) {
    SetRandomState(uint32_t(HighResolutionCounter()));
    PicList.clear();
    PicsChecked.clear();
    EffsChecked.clear();
    if (subfolders || (Config && Config->GetBool(SubfoldersKey, false, LinuxSection)))
        FindFilesInTree(PicturesFolder(), PicList);
    else
        FindFiles(PicturesFolder(), "*.*", PicList, true);
    if (Config) {
        Config->ReadList("PicsChecked", &PicsChecked);
        Config->ReadList("EffsChecked", &EffsChecked);
    }
    if (PicsChecked.empty())
        for (size_t i = 0; i < PicList.size(); ++i) PicsChecked.push_back(std::to_string(i));
    if (EffsChecked.empty())
        for (int number = 1; number <= TEffectCatalog::Count; ++number)
            EffsChecked.push_back(std::to_string(number));
}

void FinalizeSlideshowLists() {
    PicList.clear();
    PicsChecked.clear();
    EffsChecked.clear();
}

}  // namespace corvane
