#include "agblz/LzMatchFinder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kora::lz {

namespace {

constexpr unsigned BucketBits = 12;
constexpr std::int32_t None = -1;
constexpr std::size_t Levels = MaxMatch - MinMatch + 1;

// One hash chain per match length: the chain for length L links positions
// whose first L bytes hash alike. Asking "is there a copy of these L bytes in
// reach?" then touches (almost) only real copies, so proving that no longer
// match exists is cheap even in data full of zeros, where one 3-byte chain
// would run through the whole window.
// The links live in a ring of one window: a position's link is only
// overwritten once the position itself has fallen out of reach.
class LengthChains {
public:
    LengthChains() : FHead(Levels * Buckets, None), FPrev(Levels * Window, None) {}

    std::int32_t First(std::size_t level, unsigned bucket) const { return FHead[level * Buckets + bucket]; }
    std::int32_t After(std::size_t level, std::int32_t pos) const
    {
        return FPrev[level * Window + (pos & (Window - 1))];
    }

    void Insert(std::size_t level, unsigned bucket, std::int32_t pos)
    {
        FPrev[level * Window + (pos & (Window - 1))] = FHead[level * Buckets + bucket];
        FHead[level * Buckets + bucket] = pos;
    }

private:
    static constexpr std::size_t Buckets = std::size_t{1} << BucketBits;
    std::vector<std::int32_t> FHead;
    std::vector<std::int32_t> FPrev;
};

// Buckets of the prefixes of length 3..18 at one position.
std::array<unsigned, Levels> PrefixBuckets(const std::uint8_t* p, std::size_t limit)
{
    std::array<unsigned, Levels> buckets{};
    std::uint64_t h = 0;
    for (std::size_t length = 1; length <= limit; ++length) {
        h = (h + p[length - 1] + 1) * 0x9E3779B97F4A7C15ull;
        if (length >= MinMatch)
            buckets[length - MinMatch] = static_cast<unsigned>((h ^ (h >> 29)) >> (64 - BucketBits));
    }
    return buckets;
}

class Finder {
public:
    explicit Finder(std::span<const std::uint8_t> data) : FBytes(data.data()), FSize(data.size()) {}

    std::vector<Match> Run()
    {
        std::vector<Match> matches(FSize);
        Match previous;
        for (std::size_t i = 0; i + MinMatch <= FSize; ++i) {
            const std::size_t limit = std::min(MaxMatch, FSize - i);
            const std::array<unsigned, Levels> buckets = PrefixBuckets(FBytes + i, limit);
            matches[i] = Longest(i, limit, buckets, previous);
            previous = matches[i];
            for (std::size_t length = MinMatch; length <= limit; ++length)
                FChains.Insert(length - MinMatch, buckets[length - MinMatch], static_cast<std::int32_t>(i));
        }
        return matches;
    }

private:
    std::size_t CommonLength(std::size_t a, std::size_t b, std::size_t limit) const
    {
        std::size_t length = 0;
        while (length < limit && FBytes[a + length] == FBytes[b + length])
            ++length;
        return length;
    }

    // A copy of the `length` bytes at i within reach, or None.
    std::int32_t Find(std::size_t i, std::size_t length, unsigned bucket) const
    {
        const std::size_t level = length - MinMatch;
        for (std::int32_t p = FChains.First(level, bucket); p != None; p = FChains.After(level, p)) {
            const std::size_t distance = i - static_cast<std::size_t>(p);
            if (distance > Window)
                break;
            if (distance >= MinDistance && std::memcmp(FBytes + p, FBytes + i, length) == 0)
                return p;
        }
        return None;
    }

    // Climbs the lengths: a copy of L bytes is looked up only once one of
    // L - 1 bytes is known, and each copy found is measured in full.
    Match Longest(std::size_t i, std::size_t limit, const std::array<unsigned, Levels>& buckets,
                  Match previous) const
    {
        Match best;
        // The previous position's copy, one byte on, is still a copy here.
        if (previous.Length > MinMatch) {
            best.Distance = previous.Distance;
            best.Length = static_cast<std::uint8_t>(CommonLength(i - previous.Distance, i, limit));
        }
        for (std::size_t length = std::max<std::size_t>(best.Length + 1, MinMatch); length <= limit;) {
            const std::int32_t p = Find(i, length, buckets[length - MinMatch]);
            if (p == None)
                break;
            best.Distance = static_cast<std::uint16_t>(i - static_cast<std::size_t>(p));
            best.Length = static_cast<std::uint8_t>(CommonLength(static_cast<std::size_t>(p), i, limit));
            length = best.Length + 1u;
        }
        return best;
    }

    const std::uint8_t* FBytes;
    std::size_t FSize;
    LengthChains FChains;
};

}  // namespace

std::vector<Match> FindLongestMatches(std::span<const std::uint8_t> data)
{
    return Finder(data).Run();
}

}  // namespace kora::lz
