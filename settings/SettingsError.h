#pragma once
#include <stdexcept>

namespace corvane {

// A failure of the settings store: the settings file cannot be read or written. The message names
// the file and the system's reason.
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace corvane
