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
[[noreturn]] void ThrowOpenError(const std::string& fileName, int error) {
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(error));
}
}  // namespace

TFileStream::TFileStream(const std::string& fileName) {
    FHandle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (FHandle < 0) ThrowOpenError(fileName, errno);
    struct stat info {};
    int error = 0;
    if (::fstat(FHandle, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (::flock(FHandle, LOCK_SH | LOCK_NB) != 0)
        error = errno;
    if (error) {
        ::close(FHandle);
        ThrowOpenError(fileName, error);
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
