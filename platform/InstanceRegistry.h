#pragma once
// The list of running instances of one program file, shared between its processes.
//
// The list lives in a POSIX shared memory object named after the program's base name (suffix
// "_Map") and is only read or written under an exclusive lock on that object, which the system
// releases when a process dies. Entries whose process no longer exists (a crash, kill -9) are
// dropped whenever the list is read, so a dead instance can never block a later start.

#include <sys/types.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

class EInstanceRegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Jcl" followed by the program's full path, the whole upper-cased, each "/" replaced by "_".
std::string InstanceBaseName(const std::string& programPath);

class TInstanceRegistry {
public:
    // Appends this process to the list and notes the live instances registered before it.
    // Raises EInstanceRegistryError when the shared objects cannot be set up.
    explicit TInstanceRegistry(const std::string& baseName);
    // Removes this process from the list.
    ~TInstanceRegistry();
    TInstanceRegistry(const TInstanceRegistry&) = delete;
    TInstanceRegistry& operator=(const TInstanceRegistry&) = delete;

    // How many live instances were registered before this one, and the first of them.
    int PreviousCount() const { return FPreviousCount; }
    pid_t FirstInstance() const { return FFirst; }

    // The name of the shared memory object, for tests and diagnostics.
    const std::string& ObjectName() const { return FObjectName; }

private:
    std::string FObjectName;
    int FFd = -1;
    int FPreviousCount = 0;
    pid_t FFirst = 0;
};

}  // namespace corvane
