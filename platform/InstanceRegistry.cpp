#include "platform/InstanceRegistry.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>

namespace corvane {

namespace {

constexpr uint32_t kMagic = 0x434F5256;  // "CORV"
constexpr int kMaxInstances = 64;

struct InstanceBlock {
    uint32_t Magic;
    uint32_t Count;
    int32_t Pids[kMaxInstances];
};

// A shared memory object name: one leading slash, no other, and short enough for the system.
std::string ObjectNameFor(const std::string& baseName) {
    std::string name = "/" + baseName + "_Map";
    std::replace(name.begin() + 1, name.end(), '/', '_');
    if (name.size() > NAME_MAX - 8) {
        const size_t hash = std::hash<std::string>{}(name);
        name = name.substr(0, NAME_MAX - 32) + "_" + std::to_string(hash) + "_Map";
    }
    return name;
}

// Whether the process exists and, when its executable can be read, runs the same program.
bool Alive(pid_t pid) {
    if (pid <= 0) return false;
    if (kill(pid, 0) != 0 && errno == ESRCH) return false;
    char mine[PATH_MAX], theirs[PATH_MAX];
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    ssize_t a = readlink("/proc/self/exe", mine, sizeof mine - 1);
    ssize_t b = readlink(link.c_str(), theirs, sizeof theirs - 1);
    if (a <= 0 || b <= 0) return true;  // cannot tell: keep the entry
    return std::string(mine, size_t(a)) == std::string(theirs, size_t(b));
}

class ScopedFileLock {
public:
    explicit ScopedFileLock(int fd) : FFd(fd) {
        while (flock(FFd, LOCK_EX) != 0)
            if (errno != EINTR) throw EInstanceRegistryError(std::strerror(errno));
    }
    ~ScopedFileLock() { flock(FFd, LOCK_UN); }

private:
    int FFd;
};

class ScopedMapping {
public:
    explicit ScopedMapping(int fd) {
        void* p = mmap(nullptr, sizeof(InstanceBlock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (p == MAP_FAILED) throw EInstanceRegistryError(std::strerror(errno));
        FBlock = static_cast<InstanceBlock*>(p);
    }
    ~ScopedMapping() { munmap(FBlock, sizeof(InstanceBlock)); }
    InstanceBlock* operator->() const { return FBlock; }
    InstanceBlock& operator*() const { return *FBlock; }

private:
    InstanceBlock* FBlock = nullptr;
};

// Drops entries of processes that are gone; keeps the order of the rest.
void Prune(InstanceBlock& block) {
    uint32_t kept = 0;
    const uint32_t count = std::min<uint32_t>(block.Count, kMaxInstances);
    for (uint32_t i = 0; i < count; ++i)
        if (Alive(block.Pids[i])) block.Pids[kept++] = block.Pids[i];
    block.Count = kept;
}

}  // namespace

std::string InstanceBaseName(const std::string& programPath) {
    std::string name = "Jcl" + programPath;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

TInstanceRegistry::TInstanceRegistry(const std::string& baseName)
    : FObjectName(ObjectNameFor(baseName)) {
    FFd = shm_open(FObjectName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (FFd < 0) throw EInstanceRegistryError(FObjectName + ": " + std::strerror(errno));
    try {
        ScopedFileLock lock(FFd);
        struct stat st{};
        if (fstat(FFd, &st) != 0) throw EInstanceRegistryError(std::strerror(errno));
        if (st.st_size < off_t(sizeof(InstanceBlock)) &&
            ftruncate(FFd, sizeof(InstanceBlock)) != 0)
            throw EInstanceRegistryError(std::strerror(errno));
        ScopedMapping block(FFd);
        if (block->Magic != kMagic || block->Count > kMaxInstances) {
            std::memset(&*block, 0, sizeof(InstanceBlock));
            block->Magic = kMagic;
        }
        Prune(*block);
        FPreviousCount = int(block->Count);
        FFirst = block->Count ? block->Pids[0] : 0;
        if (block->Count < kMaxInstances) block->Pids[block->Count++] = getpid();
    } catch (...) {
        close(FFd);
        throw;
    }
}

TInstanceRegistry::~TInstanceRegistry() {
    try {
        ScopedFileLock lock(FFd);
        ScopedMapping block(FFd);
        const pid_t self = getpid();
        uint32_t kept = 0;
        for (uint32_t i = 0; i < std::min<uint32_t>(block->Count, kMaxInstances); ++i)
            if (block->Pids[i] != self) block->Pids[kept++] = block->Pids[i];
        block->Count = kept;
    } catch (...) {
        // Errors of the guard are ignored; a left-over entry is pruned by the next reader.
    }
    close(FFd);
}

}  // namespace corvane
