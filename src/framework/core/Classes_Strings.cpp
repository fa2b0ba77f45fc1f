#include "framework/core/Classes.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"

namespace kora {

// --- TPersistent -----------------------------------------------------------

TClass TPersistent::StaticClass() {
  static const TClassInfo info(TClassBuilder<TPersistent>("TPersistent"));
  return &info;
}

void TPersistent::Assign(const TPersistent* source) {
  if (!source) AssignError(nullptr);
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
  throw EConvertError("Cannot assign a " + (source ? source->ClassName() : std::string("nil")) + " to a " +
                      ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}

// --- TStrings --------------------------------------------------------------

TClass TStrings::StaticClass() {
  static const TClassInfo info(TClassBuilder<TStrings>("TStrings"));
  return &info;
}

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
  TStringsUpdate update(*this);
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::Assign(const TStrings& strings) {
  if (&strings == this) return;
  TStringsUpdate update(*this);
  Clear();
  AddStrings(strings);
}

void TStrings::Assign(const TPersistent* source) {
  if (const auto* strings = dynamic_cast<const TStrings*>(source)) {
    Assign(*strings);
  } else {
    TPersistent::Assign(source);
  }
}

bool TStrings::SameText(std::string_view a, std::string_view b) const {
  return FCaseSensitive ? a == b : kora::SameText(a, b);
}

int TStrings::IndexOf(std::string_view value) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Get(i), value)) return i;
  }
  return -1;
}

void TStrings::Exchange(int index1, int index2) {
  TStringsUpdate update(*this);
  const std::string string1 = Get(index1);
  TObject* object1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, string1);
  PutObject(index2, object1);
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += FLineBreak;
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  TStringsUpdate update(*this);
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
  const int64_t size = stream.Size() - stream.Position();
  std::string text(static_cast<std::size_t>(std::max<int64_t>(size, 0)), '\0');
  text.resize(static_cast<std::size_t>(stream.Read(text.data(), static_cast<int64_t>(text.size()))));
  SetText(text);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](TReader& reader) {
        TStringsUpdate update(*this);
        Clear();
        reader.ReadListBegin();
        while (!reader.EndOfList()) Add(reader.ReadString());
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
        writer.WriteListEnd();
      },
      Count() > 0);
}

}  // namespace kora
