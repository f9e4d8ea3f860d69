#pragma once
// Checked reads from untrusted bytes. Every offset and length is checked against the data before
// anything is read; the headers of the picture formats are packed structs whose sizes are fixed
// by static_assert and copied out whole. The structs hold little-endian fields, which is the
// layout of the host.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace corvane {

static_assert(std::endian::native == std::endian::little,
              "the picture headers are read as little-endian structs");

using Bytes = std::span<const uint8_t>;

// Whether count bytes from offset lie inside data (without overflow).
inline bool InRange(Bytes data, uint64_t offset, uint64_t count) {
    return offset <= data.size() && count <= data.size() - offset;
}

// Copies a packed header struct from offset; false when it does not fit.
template <typename T>
bool ReadStruct(Bytes data, uint64_t offset, T& out) {
    static_assert(std::is_trivially_copyable_v<T>);
    if (!InRange(data, offset, sizeof(T))) return false;
    std::memcpy(&out, data.data() + offset, sizeof(T));
    return true;
}

inline uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace corvane
