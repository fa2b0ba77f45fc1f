#pragma once
// Form streams of live components: TReader builds a component tree from a
// binary form stream ("TPF0"), TWriter writes one. Both work from the
// published-property tables (TypInfo.h) plus what components declare in
// DefineProperties.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Components.h"
#include "framework/core/FormBinary.h"

namespace kora {

class TReader;
class TWriter;
class TCollection;

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

class TFiler {
public:
  virtual ~TFiler() = default;

  // A stored value that is not a published property. The reader calls
  // readData when the stream holds `name` for the object whose
  // DefineProperties is running; the writer writes `name` and calls
  // writeData when hasData is true.
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  // The same for a block of bytes (value type vaBinary): readData gets a
  // memory stream of the bytes at position 0, writeData fills one.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                                    bool hasData) = 0;

protected:
  TComponent* FRoot = nullptr;
};

class TReader : public TFiler {
public:
  // Reads from the stream's current position.
  explicit TReader(TStream& stream);

  // Reads the signature and the root object into `root` (whose class must
  // be the stream's class or descend from it), or into a new component of
  // the stream's registered class when `root` is null (the caller owns
  // it). Children are created in stored order, owned by the root; then
  // every component reference is fixed up, in stored order; then Loaded
  // runs on each component in creation order, the root first. On failure
  // the components this read created are freed and the error propagates:
  // EReadError (with the offset) for damaged or unreadable content,
  // EClassNotFound for an unregistered class, errors of property setters
  // unchanged. Leaves the stream just after the form.
  TComponent* ReadRootComponent(TComponent* root);

  // Values, for DefineProperty readers.
  bool EndOfList() { return FInput.EndOfList(); }
  void ReadListBegin();
  void ReadListEnd() { FInput.ReadListEnd(); }
  int32_t ReadInteger();
  std::string ReadString() { return FInput.ReadString(); }

  void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    std::string Name;
    std::string Context;
    std::size_t Offset;
    // The collections being read around the instance, innermost last.
    std::vector<TCollection*> Collections;
  };

  void ReadComponent(TComponent* parent, int depth);
  void ReadProperties(TPersistent* instance, int depth);
  void ReadProperty(TPersistent* instance, int depth);
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop, int depth);
  void ReadReference(TPersistent* instance, const TPropInfo& prop);
  void ReadCollection(TCollection* collection, int depth);
  void SetComponentName(TComponent* component, const std::string& name, std::size_t offset);
  void FixupReferences();
  TComponent* FindReference(std::string_view name) const;
  void FreeCreated(TComponent* createdRoot);
  [[noreturn]] void PropertyError(const std::string& message, std::size_t offset) const;

  TStream& FStream;
  int64_t FStart;
  std::vector<uint8_t> FData;
  TFormInput FInput;
  std::vector<TComponent*> FLoaded;
  std::vector<TComponent*> FCreated;
  std::vector<TFixup> FFixups;
  std::vector<TCollection*> FCollections;
  // The component and property path being read, for messages.
  std::string FContext;
  // The defined property looked for while DefineProperties runs.
  std::string FPropName;
  bool FPropHandled = false;
};

class TWriter : public TFiler {
public:
  explicit TWriter(TStream& stream) : FStream(stream) {}

  // Writes the signature and `root` with its published properties (those
  // with a setter, stored and not at their default), defined properties
  // and children (GetChildren). The stream receives the bytes only when
  // the whole form has been written.
  void WriteRootComponent(TComponent* root);

  // Values, for DefineProperty writers.
  void WriteListBegin() { FOutput.WriteValue(vaList); }
  void WriteListEnd() { FOutput.WriteListEnd(); }
  void WriteInteger(int64_t value) { FOutput.WriteInteger(value); }
  void WriteString(std::string_view value) { FOutput.WriteString(value); }

  void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

private:
  void WriteComponent(TComponent* component, int depth);
  void WriteProperties(const TPersistent* instance, const std::string& prefix, int depth);
  void WriteProperty(const TPersistent* instance, const TPropInfo& prop, const std::string& prefix, int depth);
  void WriteOrdinal(const TPropInfo& prop, int64_t value);
  void WriteCollection(const TCollection& collection, int depth);
  std::string ReferenceName(const TComponent* component) const;

  TStream& FStream;
  TFormOutput FOutput;
  std::string FPropPath;
};

// The binary form at the stream's position, read into `root` or into a
// new component of its class (see TReader::ReadRootComponent).
TComponent* ReadComponent(TStream& stream, TComponent* root = nullptr);
void WriteComponent(TStream& stream, TComponent* root);

}  // namespace kora
