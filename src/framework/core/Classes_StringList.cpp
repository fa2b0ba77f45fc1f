#include <algorithm>
#include <numeric>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Classes.h"

namespace kora {

TClass TStringList::StaticClass() {
  static const TClassInfo info(TClassBuilder<TStringList>("TStringList"));
  return &info;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EStringListError(Format("List index out of bounds (%d)", index));
  }
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return CaseSensitive() ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    OnChanging(this);
  } else {
    OnChange(this);
  }
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].FString;
}

void TStringList::Put(int index, const std::string& value) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index);
  Changing();
  FItems[static_cast<std::size_t>(index)].FString = value;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].FObject;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  FItems[static_cast<std::size_t>(index)].FObject = object;
  Changed();
}

void TStringList::InsertItem(int index, const std::string& value, TObject* object) {
  Changing();
  FItems.insert(FItems.begin() + index, TStringItem{value, object});
  Changed();
}

void TStringList::Insert(int index, const std::string& value) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) {
    throw EStringListError(Format("List index out of bounds (%d)", index));
  }
  InsertItem(index, value, nullptr);
}

int TStringList::Add(const std::string& value) {
  if (!FSorted) {
    InsertItem(Count(), value, nullptr);
    return Count() - 1;
  }
  int index = 0;
  if (Find(value, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
    // Another equal string goes after the equal ones, keeping insertion order.
    while (index < Count() && CompareStrings(FItems[static_cast<std::size_t>(index)].FString, value) == 0) ++index;
  }
  InsertItem(index, value, nullptr);
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(FItems[static_cast<std::size_t>(index1)], FItems[static_cast<std::size_t>(index2)]);
  Changed();
}

bool TStringList::Find(std::string_view value, int& index) const {
  if (!FSorted) {
    index = TStrings::IndexOf(value);
    return index >= 0;
  }
  // The first of equal strings, so IndexOf agrees with a linear search.
  int low = 0;
  int high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareStrings(FItems[static_cast<std::size_t>(middle)].FString, value) < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  index = low;
  return low < Count() && CompareStrings(FItems[static_cast<std::size_t>(low)].FString, value) == 0;
}

int TStringList::IndexOf(std::string_view value) const {
  int index = -1;
  return Find(value, index) ? index : -1;
}

void TStringList::SetSorted(bool value) {
  if (value == FSorted) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == CaseSensitive()) return;
  TStrings::SetCaseSensitive(value);
  if (FSorted) Sort();
}

void TStringList::Sort() {
  CustomSort([](TStringList& list, int index1, int index2) {
    return list.CompareStrings(list.FItems[static_cast<std::size_t>(index1)].FString,
                               list.FItems[static_cast<std::size_t>(index2)].FString);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (Count() < 2) return;
  // Sort positions first: the comparer sees the list unchanged while it runs.
  std::vector<int> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  Changing();
  std::vector<TStringItem> sorted;
  sorted.reserve(FItems.size());
  for (const int i : order) sorted.push_back(std::move(FItems[static_cast<std::size_t>(i)]));
  FItems = std::move(sorted);
  Changed();
}

}  // namespace kora
