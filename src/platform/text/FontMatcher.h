#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace kora {

// An installed font file (and face index inside it) chosen for a request.
struct FontFileMatch {
  std::string File;
  int Index = 0;
  std::string Family;

  bool operator==(const FontFileMatch&) const = default;
};

struct FontRequest {
  std::string Family;  // UTF-8 face name as the program gives it
  int Weight = 400;
  bool Italic = false;
  uint8_t CharSet = 1;
};

// Picks installed faces through fontconfig. Face names the program uses are
// replaced by installed equivalents first: fontconfig's own aliases would send
// "宋体" to a Latin face. There is one, the font library's: it shuts
// fontconfig down when it goes.
class FontMatcher {
public:
  FontMatcher();
  ~FontMatcher();
  FontMatcher(const FontMatcher&) = delete;
  FontMatcher& operator=(const FontMatcher&) = delete;

  FontFileMatch Match(const FontRequest& request);
  // An installed face other than the primary one that has the character, in
  // fontconfig's order of preference for the style; none when no face has it.
  std::optional<FontFileMatch> FallbackFor(char32_t c, int weight, bool italic);

  // The families a face name is replaced by, in order; empty when the name is
  // not one of ours.
  static const std::vector<std::string>& SubstitutesFor(const std::string& family);

private:
  struct SortedSet;
  SortedSet& SortedFor(int weight, bool italic);

  std::map<std::tuple<std::string, int, bool, uint8_t>, FontFileMatch> FMatches;
  std::map<std::pair<int, bool>, std::unique_ptr<SortedSet>> FSorted;
  std::unordered_map<uint64_t, std::optional<FontFileMatch>> FFallbacks;
};

}  // namespace kora
