#pragma once
// A file opened for reading that other readers may share but no writer may claim: the file is
// opened read-only and holds a shared advisory lock (flock) for as long as the stream lives, so a
// writer that asks for an exclusive lock is kept out, and a file someone holds exclusively is
// refused. Only regular files are opened: pipes and devices are refused.

#include <string>

#include "imaging/Stream.h"

namespace corvane {

class TFileStream : public TStream {
public:
    // Throws EFOpenError with the system's reason when the file cannot be opened.
    explicit TFileStream(const std::string& fileName);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    uint64_t Size() const override;
    uint64_t Position() const override { return FPosition; }
    void Seek(uint64_t position) override;

private:
    int FHandle = -1;
    uint64_t FPosition = 0;
};

}  // namespace corvane
