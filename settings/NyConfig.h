#pragma once
#include "settings/NyMemIniFile.h"

namespace corvane {

// The class of the one settings object, Config.
class TNyConfig : public TNyMemIniFile {
  public:
    using TNyMemIniFile::TNyMemIniFile;
};

}  // namespace corvane
