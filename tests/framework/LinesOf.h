#pragma once
// The lines of a string list, for comparing with expected vectors.

#include <string>
#include <vector>

#include "framework/core/Classes.h"

namespace kora::test {

inline std::vector<std::string> LinesOf(const TStrings& strings) {
  std::vector<std::string> result;
  for (int i = 0; i < strings.Count(); ++i) result.push_back(strings[i]);
  return result;
}

}  // namespace kora::test
