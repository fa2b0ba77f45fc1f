#include "framework/Classes.h"

#include <algorithm>

namespace kora {

// --- TStrings --------------------------------------------------------------

int TStrings::Add(const std::string& value) {
  const int index = Count();
  Insert(index, value);
  return index;
}

int TStrings::AddObject(const std::string& value, TObject* object) {
  const int index = Add(value);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& strings) {
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::Assign(const TStrings& strings) {
  if (&strings == this) return;
  Clear();
  AddStrings(strings);
}

bool TStrings::SameText(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  if (FCaseSensitive) return a == b;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

int TStrings::IndexOf(std::string_view value) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Get(i), value)) return i;
  }
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += '\n';
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    Add(std::string(text.substr(start, end - start)));
    if (end < text.size()) {
      // CR LF is one break; a lone CR or LF is one break too.
      if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
      ++end;
    }
    start = end;
  }
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::LoadFromStream(TStream& stream) {
  const std::int64_t size = stream.Size() - stream.Position();
  std::string text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
  text.resize(static_cast<std::size_t>(stream.Read(text.data(), static_cast<std::int64_t>(text.size()))));
  SetText(text);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

// --- TStringList -----------------------------------------------------------

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EStringListError(Format("List index out of bounds (%d)", index));
  }
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].FString;
}

void TStringList::Put(int index, const std::string& value) {
  CheckIndex(index);
  FItems[static_cast<std::size_t>(index)].FString = value;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].FObject;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  FItems[static_cast<std::size_t>(index)].FObject = object;
}

void TStringList::Insert(int index, const std::string& value) {
  if (index < 0 || index > Count()) {
    throw EStringListError(Format("List index out of bounds (%d)", index));
  }
  FItems.insert(FItems.begin() + index, TStringItem{value, nullptr});
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}

}  // namespace kora
