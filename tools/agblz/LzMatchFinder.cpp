#include "agblz/LzMatchFinder.h"

#include <algorithm>

namespace kora::lz {

namespace {

constexpr unsigned HashBits = 15;
constexpr std::int32_t None = -1;

unsigned Hash3(const std::uint8_t* p)
{
    const std::uint32_t key = std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
    return (key * 2654435761u) >> (32 - HashBits);
}

// Hash chains over 3-byte prefixes. The chain links live in a ring of one
// window: a position's link is only overwritten once the position itself has
// fallen out of reach.
class ChainIndex {
public:
    ChainIndex() : FHead(std::size_t{1} << HashBits, None), FPrev(Window, None) {}

    std::int32_t First(unsigned hash) const { return FHead[hash]; }
    std::int32_t After(std::int32_t pos) const { return FPrev[pos & (Window - 1)]; }

    void Insert(std::int32_t pos, unsigned hash)
    {
        FPrev[pos & (Window - 1)] = FHead[hash];
        FHead[hash] = pos;
    }

private:
    std::vector<std::int32_t> FHead;
    std::vector<std::int32_t> FPrev;
};

}  // namespace

std::vector<Match> FindLongestMatches(std::span<const std::uint8_t> data)
{
    const std::size_t n = data.size();
    std::vector<Match> matches(n);
    ChainIndex chains;
    const std::uint8_t* bytes = data.data();

    for (std::size_t i = 0; i + MinMatch <= n; ++i) {
        const unsigned hash = Hash3(bytes + i);
        const std::size_t limit = std::min(MaxMatch, n - i);
        std::size_t best = MinMatch - 1;
        std::size_t bestDistance = 0;
        for (std::int32_t p = chains.First(hash); p != None; p = chains.After(p)) {
            const std::size_t distance = i - static_cast<std::size_t>(p);
            if (distance > Window)
                break;
            // Checking the byte that would extend the best match first skips most candidates.
            if (distance < MinDistance || bytes[p + best] != bytes[i + best])
                continue;
            std::size_t length = 0;
            while (length < limit && bytes[p + length] == bytes[i + length])
                ++length;
            if (length > best) {
                best = length;
                bestDistance = distance;
                if (best == limit)
                    break;
            }
        }
        if (bestDistance != 0)
            matches[i] = {static_cast<std::uint8_t>(best), static_cast<std::uint16_t>(bestDistance)};
        chains.Insert(static_cast<std::int32_t>(i), hash);
    }
    return matches;
}

}  // namespace kora::lz
