#include "editor/EditHistory.h"

#include <algorithm>

namespace kora {

namespace {

void Put(DataImage& image, int64_t offset, const std::vector<uint8_t>& bytes) {
  std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
}

}  // namespace

void EditHistory::Clear() {
  FDone.clear();
  FUndone.clear();
}

void EditHistory::Applied(EditPage page, int record, int64_t offset, std::vector<uint8_t> before,
                          const DataImage& image) {
  const auto first = image.begin() + offset;
  std::vector<uint8_t> after(first, first + int64_t(before.size()));
  if (after == before) return;
  FDone.push_back({page, record, offset, std::move(before), std::move(after)});
  FUndone.clear();
}

const RecordEdit* EditHistory::Undo(DataImage& image) {
  if (FDone.empty()) return nullptr;
  FUndone.push_back(std::move(FDone.back()));
  FDone.pop_back();
  Put(image, FUndone.back().Offset, FUndone.back().Before);
  return &FUndone.back();
}

const RecordEdit* EditHistory::Redo(DataImage& image) {
  if (FUndone.empty()) return nullptr;
  FDone.push_back(std::move(FUndone.back()));
  FUndone.pop_back();
  Put(image, FDone.back().Offset, FDone.back().After);
  return &FDone.back();
}

}  // namespace kora
