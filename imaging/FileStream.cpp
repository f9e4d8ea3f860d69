#include "imaging/FileStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "imaging/ImagingErrors.h"

namespace corvane {

namespace {
[[noreturn]] void ThrowOpenError(const std::string& fileName, const std::string& reason) {
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
}
}  // namespace

TFileStream::TFileStream(const std::string& fileName) {
    // Without blocking, so that a named pipe in the folder cannot stall the open.
    FHandle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (FHandle < 0) ThrowOpenError(fileName, std::strerror(errno));
    struct stat info {};
    std::string reason;
    if (::fstat(FHandle, &info) != 0)
        reason = std::strerror(errno);
    else if (S_ISDIR(info.st_mode))
        reason = std::strerror(EISDIR);
    else if (!S_ISREG(info.st_mode))
        reason = "Not a regular file";  // a pipe or a device has no picture and may never end
    else if (::flock(FHandle, LOCK_SH | LOCK_NB) != 0)
        reason = std::strerror(errno);
    if (!reason.empty()) {
        ::close(FHandle);
        ThrowOpenError(fileName, reason);
    }
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);  // closing also releases the shared lock
}

size_t TFileStream::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(FHandle, static_cast<char*>(buffer) + done, count - done,
                            off_t(FPosition + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += size_t(n);
    }
    FPosition += done;
    return done;
}

uint64_t TFileStream::Size() const {
    struct stat info {};
    if (::fstat(FHandle, &info) != 0) return 0;
    return uint64_t(info.st_size);
}

void TFileStream::Seek(uint64_t position) {
    FPosition = std::min(position, Size());
}

}  // namespace corvane
