// Random texts for the fast paths' tests, and exact heap copies whose overreads the sanitizer reports.
#pragma once

#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace scrivlet {

// Up to about `longest` bytes of `alphabet`, now and then in long runs.
inline std::string RandomText(std::mt19937 &random, const std::string &alphabet, size_t longest)
{
    std::string text;
    for (size_t length = random() % (longest + 1); text.size() < length;)
        text.append(random() % 4 == 0 ? 1 + random() % 40 : 1, alphabet[random() % alphabet.size()]);
    return text;
}

struct ExactBytes { // exactly the given bytes on the heap
    explicit ExactBytes(const std::string &s) : size(uint32_t(s.size())), block(new char[s.size()])
    {
        std::memcpy(block.get(), s.data(), s.size());
    }
    const char *data() const { return block.get(); }
    uint32_t size;
    std::unique_ptr<char[]> block;
};

} // namespace scrivlet
