#pragma once
// A byte stream that picture classes read from: a file opened for shared reading, or bytes held
// in memory. The position never passes the size.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes at the position and returns how many were read.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual uint64_t Size() const = 0;
    virtual uint64_t Position() const = 0;
    // Moves the position; a position past the end is clamped to the end.
    virtual void Seek(uint64_t position) = 0;

    // Everything from the position to the end.
    std::vector<uint8_t> ReadRemaining();
};

// A stream over bytes that the stream does not own; they must outlive it.
class TMemoryStream : public TStream {
public:
    explicit TMemoryStream(std::span<const uint8_t> bytes) : FBytes(bytes) {}
    size_t Read(void* buffer, size_t count) override;
    uint64_t Size() const override { return FBytes.size(); }
    uint64_t Position() const override { return FPosition; }
    void Seek(uint64_t position) override;

private:
    std::span<const uint8_t> FBytes;
    size_t FPosition = 0;
};

}  // namespace corvane
