#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Clock.h"
#include "settings/SettingsError.h"

namespace corvane {
namespace {

std::string Quoted(const std::filesystem::path& file) {
    return "\"" + file.string() + "\"";
}

[[noreturn]] void ThrowReadError(const std::filesystem::path& file, const std::string& reason) {
    throw SettingsError("Cannot read the settings file " + Quoted(file) + ": " + reason);
}

[[noreturn]] void ThrowWriteError(const std::filesystem::path& file, int error) {
    throw SettingsError("Cannot write the settings file " + Quoted(file) + ": " +
                        std::strerror(error));
}

// Closes the descriptor on every way out.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : FFd(fd) {}
    ~FileDescriptor() {
        if (FFd >= 0) close(FFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now and reports the outcome (a delayed write error may surface only here).
    int Close() {
        int result = close(FFd);
        FFd = -1;
        return result;
    }

  private:
    int FFd;
};

int WriteAll(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += size_t(n);
        else if (n == 0)
            return EIO;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

// Creates a file of a fresh name next to the target; the descriptor, or -1 with the system's
// reason in error. The umask applies to its permissions, as it would to a file created in place.
int CreateTemporaryNextTo(const std::filesystem::path& target, std::filesystem::path& temp,
                          int& error) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    for (int attempt = 0; attempt < 16; ++attempt) {
        // Built by appending: prepending a literal to a temporary string makes GCC 12 at -O3
        // see an overlapping copy (-Wrestrict) inside the string's insert.
        std::string name = ".";
        for (const std::string& part : {target.filename().string(), std::to_string(getpid()),
                                        std::to_string(HighResolutionCounter())}) {
            name += part;
            name += '.';
        }
        name += "tmp";
        temp = folder / name;
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        error = errno;
        if (error != EEXIST) break;
    }
    return -1;
}

// Writes the file over its old content: truncated, written, flushed to the disk. For a file that
// can be written where no new file can be made beside it; a failure part way loses the old
// content, which is why this is the second choice. False when the file cannot be opened.
bool WriteInPlace(const std::filesystem::path& file, const std::filesystem::path& target,
                  std::string_view text) {
    FileDescriptor fd(open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW));
    if (fd.Get() < 0) return false;
    int error = WriteAll(fd.Get(), text);
    if (error == 0 && fsync(fd.Get()) != 0) error = errno;
    if (fd.Close() != 0 && error == 0) error = errno;
    if (error != 0) ThrowWriteError(file, error);
    return true;
}

// Best effort: the content matters more than keeping the mode and the owner.
void KeepModeAndOwner(int fd, const struct stat& old) {
    bool keptMode = fchmod(fd, old.st_mode & 07777) == 0;
    bool keptOwner = geteuid() != 0 || fchown(fd, old.st_uid, old.st_gid) == 0;
    (void)keptMode;
    (void)keptOwner;
}

}  // namespace

std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file) {
    // Non-blocking, so that a named pipe in the file's place cannot hang the start-up.
    FileDescriptor fd(open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        ThrowReadError(file, std::strerror(errno));
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0) ThrowReadError(file, std::strerror(errno));
    if (S_ISDIR(info.st_mode)) ThrowReadError(file, std::strerror(EISDIR));
    if (!S_ISREG(info.st_mode)) ThrowReadError(file, "not a regular file");
    if (size_t(info.st_size) > MaxSettingsFileSize) ThrowReadError(file, "the file is too large");

    std::string text;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd.Get(), buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowReadError(file, std::strerror(errno));
        }
        if (text.size() + size_t(n) > MaxSettingsFileSize)
            ThrowReadError(file, "the file is too large");
        text.append(buffer, size_t(n));
    }
    return text;
}

void WriteSettingsFile(const std::filesystem::path& file, std::string_view text) {
    std::error_code ignored;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(file, ignored)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ignored);
        if (!resolved.empty()) target = resolved;
    }
    struct stat old {};
    bool hadOld = stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    std::filesystem::path temp;
    int createError = 0;
    const int rawFd = CreateTemporaryNextTo(target, temp, createError);
    if (rawFd < 0) {
        // The folder takes no new file (a folder of others, a shared mount): a file that may
        // itself be written is written in place rather than not at all.
        if (hadOld && WriteInPlace(file, target, text)) return;
        ThrowWriteError(file, createError);
    }
    FileDescriptor fd(rawFd);
    if (hadOld) KeepModeAndOwner(fd.Get(), old);
    int error = WriteAll(fd.Get(), text);
    if (error == 0 && fsync(fd.Get()) != 0) error = errno;
    if (fd.Close() != 0 && error == 0) error = errno;
    if (error == 0 && rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temp.c_str());
        ThrowWriteError(file, error);
    }
    // Make the rename itself durable; the new content is complete either way.
    std::filesystem::path folder = target.parent_path();
    FileDescriptor dir(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.Get() >= 0) fsync(dir.Get());
}

}  // namespace corvane
