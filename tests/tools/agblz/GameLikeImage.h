#pragma once

// Deterministic stand-ins for the game data the packer sees. Shared with
// bench/bench_agblz.cpp.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kora::lz::testdata {

// Small fast generator so the data is the same on every run and platform.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : FState(seed * 2654435761u + 1) {}

    std::uint32_t Next()
    {
        FState ^= FState << 13;
        FState ^= FState >> 17;
        FState ^= FState << 5;
        return FState;
    }

    // Uniform enough in [0, bound).
    unsigned Below(unsigned bound) { return Next() % bound; }

private:
    std::uint32_t FState;
};

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed, unsigned alphabet = 256)
{
    Rng rng(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(rng.Below(alphabet));
    return bytes;
}

// A data image laid out like the game's: 80-byte character records, 92-byte
// class records and 60-byte item records holding small varied values, with
// unused records and gaps left zero.
inline std::vector<std::uint8_t> GameLikeImage(std::size_t size = 72043, std::uint32_t seed = 1)
{
    std::vector<std::uint8_t> image(size, 0);
    Rng rng(seed);
    auto put = [&](std::size_t at, unsigned value) {
        if (at < image.size())
            image[at] = static_cast<std::uint8_t>(value);
    };

    // Characters: 374 slots, the last ones unused.
    for (std::size_t c = 0; c < 330; ++c) {
        const std::size_t base = 80 * c;
        put(base + 0, static_cast<unsigned>(c));           // own id
        put(base + 1, static_cast<unsigned>(c >> 8));
        put(base + 4, 1 + rng.Below(40));                  // class
        put(base + 8, 0x08 + rng.Below(4));                // pointer-like word
        put(base + 9, 0x02);
        put(base + 10, 0x5C);
        for (std::size_t k = 0; k < 8; ++k) {
            put(base + 44 + k, rng.Below(12));             // base stats
            put(base + 52 + k, 5 * rng.Below(17));         // growth rates
        }
        put(base + 64, rng.Below(4) == 0 ? 0xFF : 0);      // affinity flags
    }

    // Classes from 29960.
    for (std::size_t k = 0; k < 51; ++k) {
        const std::size_t base = 29960 + 92 * k;
        for (std::size_t s = 0; s < 8; ++s) {
            put(base + s, 10 + rng.Below(10));
            put(base + 8 + s, 5 * rng.Below(12));
            put(base + 24 + s, 20 + rng.Below(11));
        }
        put(base + 40, static_cast<unsigned>(k));
        put(base + 44, 0x80 | rng.Below(8));
    }

    // Items from 34718: price, durability, might, hit, critical, weight, range.
    for (std::size_t i = 0; i < 560; ++i) {
        const std::size_t base = 34724 + 60 * i;
        const unsigned price = 100 * (1 + rng.Below(40));
        put(base - 6, price & 0xFF);
        put(base - 5, price >> 8);
        put(base + 0, 20 + 5 * rng.Below(9));
        put(base + 1, rng.Below(16));
        put(base + 2, 60 + 5 * rng.Below(9));
        put(base + 3, rng.Below(3) == 0 ? 0 : 5 * rng.Below(7));
        put(base + 4, 2 + rng.Below(14));
        put(base + 5, 0x11 + (rng.Below(2) << 4));
        if (rng.Below(5) == 0)
            put(base + 8 + rng.Below(8), 1 + rng.Below(5));
        put(base + 20, static_cast<unsigned>(i));
    }
    return image;
}

}  // namespace kora::lz::testdata
