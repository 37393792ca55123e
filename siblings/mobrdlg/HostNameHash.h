#pragma once

// The hash behind the registry's table of host function names, shared by the
// build-time generator (which searches the seed and the bucket displacements
// that make it perfect for the names of host_api.def) and the registry (which
// runs it on every host call).
//
// A name of 8 to kMaxNameLength bytes is read as four overlapping 8-byte
// words (its first 16 and its last 16 bytes, so every byte of a name of up to
// 32 bytes counts), the words are multiplied by seeded constants and summed.
// The top bits of the sum pick a bucket; the bits below them, displaced by the
// bucket's generated value, pick the slot. The caller then compares the name
// with the one name stored in that slot, so any other name is refused.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace hostnamehash {

constexpr std::size_t kMinNameLength = 8;
constexpr std::size_t kMaxNameLength = 64;

// The seeded constants of one attempt of the generator.
struct Multipliers {
    uint64_t word[4];
    uint64_t length;
};

inline uint64_t load8(const char* bytes)
{
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Constants derived from a seed (splitmix64), each odd so that it keeps every
// bit of the word it multiplies.
inline Multipliers multipliersFor(uint64_t seed)
{
    Multipliers m{};
    uint64_t state = seed;
    const auto next = [&state] {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return (z ^ (z >> 31)) | 1u;
    };
    for (uint64_t& word : m.word) word = next();
    m.length = next();
    return m;
}

// The key of a name of kMinNameLength to kMaxNameLength bytes. The four
// multiplications are independent, so they run side by side.
inline uint64_t nameKey(const char* name, std::size_t length, const Multipliers& m)
{
    const std::size_t second = length > 16 ? 8 : 0;
    const std::size_t third = length >= 16 ? length - 16 : length - 8;
    return load8(name) * m.word[0] + load8(name + second) * m.word[1] + load8(name + third) * m.word[2] +
           load8(name + length - 8) * m.word[3] + length * m.length;
}

// The bucket of a key among 2^bucketBits buckets: its top bits.
inline std::size_t bucketOf(uint64_t key, unsigned bucketBits)
{
    return static_cast<std::size_t>(key >> (64 - bucketBits));
}

// The slot of a key among 2^slotBits slots: the bits below the bucket's,
// displaced by the bucket's value.
inline std::size_t slotOf(uint64_t key, unsigned bucketBits, unsigned slotBits, uint32_t displacement)
{
    const auto below = static_cast<std::size_t>(key >> (64 - bucketBits - slotBits));
    return (below ^ displacement) & ((std::size_t{1} << slotBits) - 1);
}

// Equality of two names of the same length of at least 8 bytes, in 8-byte
// words (the last word overlaps the one before it) instead of a library call.
inline bool sameName(const char* a, const char* b, std::size_t length)
{
    uint64_t differ = load8(a + length - 8) ^ load8(b + length - 8);
    for (std::size_t at = 0; at + 8 < length; at += 8) differ |= load8(a + at) ^ load8(b + at);
    return differ == 0;
}

}  // namespace hostnamehash
