// Decoding a fuzz input as a stream of choices: single bytes, which read as
// 0 once the input is used up, and byte strings of a length the input picks.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace scrivlet {

struct InputReader {
    const uint8_t *data;
    size_t size;
    size_t position;

    bool AtEnd() const { return position >= size; }
    uint8_t Byte() { return position < size ? data[position++] : 0; }

    // Up to `count` bytes, fewer where the input ends.
    std::string Bytes(size_t count)
    {
        const size_t from = std::min(position, size);
        const size_t taken = std::min(count, size - from);
        position = from + taken;
        return std::string(reinterpret_cast<const char *>(data) + from, taken);
    }

    std::string Rest() { return Bytes(size); }
};

// The text as the store keeps it: CR LF and a lone CR become '\n'; the
// reference the fuzz targets check the control's conversion against.
inline std::string ToStore(const std::string &bytes)
{
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i] == '\r' ? '\n' : bytes[i];
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    return out;
}

} // namespace scrivlet
