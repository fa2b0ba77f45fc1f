#include <algorithm>
#include <limits>

#include "framework/core/Collections.h"
#include "framework/core/Filer.h"

namespace kora {

namespace {

std::vector<uint8_t> ReadRest(TStream& stream) {
  const int64_t left = std::max<int64_t>(stream.Size() - stream.Position(), 0);
  std::vector<uint8_t> data(static_cast<std::size_t>(left));
  stream.ReadBuffer(data.data(), left);
  return data;
}

// The root may be read from a stream of its own class or of an ancestor's.
bool IsClassOrAncestor(TClass c, std::string_view name) {
  for (; c; c = c->Parent()) {
    if (SameText(c->Name(), name)) return true;
  }
  return false;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto dot = path.find('.', start);
    parts.push_back(path.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

}  // namespace

TReader::TReader(TStream& stream)
    : FStream(stream), FStart(stream.Position()), FData(ReadRest(stream)), FInput(FData.data(), FData.size()) {
  FStream.SetPosition(FStart);
}

void TReader::PropertyError(const std::string& message, std::size_t offset) const {
  throw EReadError("Error reading " + FContext + ": " + message + " at offset " + std::to_string(offset));
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  FInput.ReadSignature();
  const std::size_t headerOffset = FInput.Position();
  const TObjectHeader header = FInput.ReadObjectHeader();
  TComponent* created = nullptr;
  if (!root) {
    TClass rootClass = GetClass(header.ClassName);
    if (!rootClass)
      throw EClassNotFound("Class " + header.ClassName + " not found at offset " + std::to_string(headerOffset));
    if (!rootClass->InheritsFrom(TComponent::StaticClass()) || !rootClass->CanCreateComponent()) {
      throw EReadError("Cannot create an instance of " + header.ClassName + " at offset " +
                       std::to_string(headerOffset));
    }
    root = created = rootClass->CreateComponent(nullptr);
  } else if (!IsClassOrAncestor(root->ClassType(), header.ClassName)) {
    throw EReadError("A form of class " + header.ClassName + " cannot be read into a " + root->ClassName() +
                     " at offset " + std::to_string(headerOffset));
  }
  FRoot = root;
  try {
    root->Include(csLoading);
    root->Include(csReading);
    SetComponentName(root, header.ObjectName, headerOffset);
    FLoaded.push_back(root);
    ReadProperties(root, 0);
    while (!FInput.EndOfList()) ReadComponent(root, 1);
    FInput.ReadListEnd();
    root->Exclude(csReading);
    FixupReferences();
    for (TComponent* component : FLoaded) component->Loaded();
    root->StreamLoaded();
  } catch (...) {
    FreeCreated(created);
    throw;
  }
  FStream.SetPosition(FStart + static_cast<int64_t>(FInput.Position()));
  return root;
}

void TReader::FreeCreated(TComponent* createdRoot) {
  if (createdRoot) {
    delete createdRoot;
    return;
  }
  // Only what the root still owns: a setter may have freed some already.
  for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) {
    for (int i = 0; i < FRoot->ComponentCount(); ++i) {
      if (FRoot->Components(i) == *it) {
        delete *it;
        break;
      }
    }
  }
  // The root and the components it had before stay, out of the loading state.
  FRoot->Exclude(csLoading);
  FRoot->Exclude(csReading);
  for (int i = 0; i < FRoot->ComponentCount(); ++i) {
    FRoot->Components(i)->Exclude(csLoading);
    FRoot->Components(i)->Exclude(csReading);
  }
}

void TReader::SetComponentName(TComponent* component, const std::string& name, std::size_t offset) {
  try {
    component->SetName(name);
  } catch (const EComponentError& e) {
    throw EReadError(e.Message() + " at offset " + std::to_string(offset));
  }
}

void TReader::ReadComponent(TComponent* parent, int depth) {
  if (depth > kMaxFormNesting) FInput.Error("Nesting too deep");
  const std::size_t offset = FInput.Position();
  const TObjectHeader header = FInput.ReadObjectHeader();
  TComponent* component = nullptr;
  if (header.Flags.Contains(ffInherited)) {
    // Already created from the ancestor's description: only its values change.
    component = FRoot->FindComponent(header.ObjectName);
    if (!component)
      throw EReadError("Ancestor for '" + header.ObjectName + "' not found at offset " + std::to_string(offset));
  } else {
    TClass componentClass = GetClass(header.ClassName);
    if (!componentClass)
      throw EClassNotFound("Class " + header.ClassName + " not found at offset " + std::to_string(offset));
    if (!componentClass->InheritsFrom(TComponent::StaticClass()) || !componentClass->CanCreateComponent()) {
      throw EReadError("Cannot create an instance of " + header.ClassName + " at offset " + std::to_string(offset));
    }
    component = componentClass->CreateComponent(FRoot);
    FCreated.push_back(component);
  }
  component->Include(csLoading);
  component->Include(csReading);
  if (!header.Flags.Contains(ffInherited)) SetComponentName(component, header.ObjectName, offset);
  if (std::find(FLoaded.begin(), FLoaded.end(), component) == FLoaded.end()) FLoaded.push_back(component);
  component->SetParentComponent(parent);
  ReadProperties(component, depth);
  while (!FInput.EndOfList()) ReadComponent(component, depth + 1);
  FInput.ReadListEnd();
  component->Exclude(csReading);
}

void TReader::ReadProperties(TPersistent* instance, int depth) {
  while (!FInput.EndOfList()) ReadProperty(instance, depth);
  FInput.ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance, int depth) {
  const std::size_t offset = FInput.Position();
  const std::string path = FInput.ReadShortString();
  const auto* component = dynamic_cast<const TComponent*>(instance);
  const std::string savedContext = FContext;
  FContext = (component ? component->Name() : FContext) + "." + path;

  // Sub-objects first: "Font.Name" sets Name of the object Font holds.
  const std::vector<std::string> parts = SplitPath(path);
  TPersistent* target = instance;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* prop = target->ClassType()->FindProperty(parts[i]);
    TPersistent* next = nullptr;
    if (prop && prop->Kind() == TTypeKind::tkClass) next = dynamic_cast<TPersistent*>(GetObjectProp(*target, *prop));
    if (!next) {
      if (!prop && target->ClassType()->IsRetiredProperty(parts[i])) {
        FInput.SkipValue();
        FContext = savedContext;
        return;
      }
      PropertyError("Property " + path + " does not exist", offset);
    }
    target = next;
  }

  const std::string& name = parts.back();
  if (const TPropInfo* prop = target->ClassType()->FindProperty(name)) {
    try {
      ReadPropValue(target, *prop, depth);
    } catch (const EPropertyError& e) {
      PropertyError(e.Message(), offset);
    }
  } else {
    FPropName = name;
    FPropHandled = false;
    target->DefineProperties(*this);
    const bool handled = FPropHandled;
    FPropName.clear();
    FPropHandled = false;
    if (!handled) {
      if (!target->ClassType()->IsRetiredProperty(name)) PropertyError("Property " + path + " does not exist", offset);
      FInput.SkipValue();
    }
  }
  FContext = savedContext;
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop, int depth) {
  const TTypeInfo* type = prop.PropType;
  switch (prop.Kind()) {
    case TTypeKind::tkInteger: {
      int64_t value = 0;
      if (FInput.NextValue() == vaIdent) {
        if (!IdentToInt(type, FInput.ReadIdent(), value)) throw EPropertyError("Invalid property value");
      } else {
        value = FInput.ReadInteger();
      }
      SetOrdProp(*instance, prop, value);
      break;
    }
    case TTypeKind::tkInt64: SetOrdProp(*instance, prop, FInput.ReadInteger()); break;
    case TTypeKind::tkEnumeration: {
      const int64_t value = GetEnumValue(type, FInput.ReadIdent());
      if (value < 0) throw EPropertyError("Invalid property value");
      SetOrdProp(*instance, prop, value);
      break;
    }
    case TTypeKind::tkSet: {
      uint64_t bits = 0;
      for (const std::string& name : FInput.ReadSet()) {
        const int64_t value = GetEnumValue(type->ElementType, name);
        if (value < 0 || value >= 64) throw EPropertyError("Invalid property element: " + name);
        bits |= uint64_t{1} << value;
      }
      SetOrdProp(*instance, prop, static_cast<int64_t>(bits));
      break;
    }
    case TTypeKind::tkFloat: SetFloatProp(*instance, prop, FInput.ReadFloat()); break;
    case TTypeKind::tkString: SetStrProp(*instance, prop, FInput.ReadString()); break;
    case TTypeKind::tkClass:
      switch (FInput.NextValue()) {
        case vaNil:
          FInput.ReadValue();
          SetObjectProp(*instance, prop, nullptr);
          break;
        case vaCollection: {
          FInput.ReadValue();
          auto* collection = dynamic_cast<TCollection*>(GetObjectProp(*instance, prop));
          if (!collection) throw EPropertyError("Invalid property value");
          ReadCollection(collection, depth + 1);
          break;
        }
        case vaIdent: ReadReference(instance, prop); break;
        default: throw EPropertyError("Invalid property value");
      }
      break;
    case TTypeKind::tkMethod:
      if (FInput.NextValue() == vaNil) {
        FInput.ReadValue();
        SetMethodProp(*instance, prop, nullptr, {});
      } else {
        const std::string name = FInput.ReadIdent();
        // Handlers are methods of the root (the form).
        SetMethodProp(*instance, prop, FRoot, name);
      }
      break;
  }
}

void TReader::ReadReference(TPersistent* instance, const TPropInfo& prop) {
  const std::size_t offset = FInput.Position();
  const std::string name = FInput.ReadIdent();
  if (!prop.IsComponentReference()) throw EPropertyError("Invalid property value");
  // Resolved when every component exists, so forward references work.
  FFixups.push_back(TFixup{instance, &prop, name, FContext, offset, FCollections});
}

void TReader::ReadCollection(TCollection* collection, int depth) {
  if (depth > kMaxFormNesting) FInput.Error("Nesting too deep");
  // A collection read twice loses its first items: references waiting in
  // them, or in collections inside them, go with them.
  std::erase_if(FFixups, [&](const TFixup& fixup) {
    return std::find(fixup.Collections.begin(), fixup.Collections.end(), collection) != fixup.Collections.end();
  });
  collection->Clear();
  FCollections.push_back(collection);
  while (!FInput.EndOfList()) {
    const TValueType next = FInput.NextValue();
    if (next == vaInt8 || next == vaInt16 || next == vaInt32) FInput.ReadInteger();
    const std::size_t offset = FInput.Position();
    if (FInput.ReadValue() != vaList) PropertyError("Invalid property value", offset);
    TCollectionItem* item = collection->Add();
    ReadProperties(item, depth + 1);
  }
  FInput.ReadListEnd();
  FCollections.pop_back();
}

TComponent* TReader::FindReference(std::string_view name) const {
  const std::vector<std::string> parts = SplitPath(std::string(name));
  TComponent* current = FRoot->FindComponent(parts[0]);
  if (!current && SameText(parts[0], FRoot->Name())) current = FRoot;
  for (std::size_t i = 1; current && i < parts.size(); ++i) current = current->FindComponent(parts[i]);
  return current;
}

void TReader::FixupReferences() {
  for (const TFixup& fixup : FFixups) {
    FContext = fixup.Context;
    TComponent* target = FindReference(fixup.Name);
    if (!target) PropertyError("Unresolved reference to '" + fixup.Name + "'", fixup.Offset);
    try {
      SetObjectProp(*fixup.Instance, *fixup.Prop, target);
    } catch (const EPropertyError& e) {
      PropertyError(e.Message(), fixup.Offset);
    }
  }
  FFixups.clear();
}

void TReader::ReadListBegin() {
  if (FInput.NextValue() != vaList) FInput.Error("Invalid property value");
  FInput.ReadValue();
}

int32_t TReader::ReadInteger() {
  const std::size_t offset = FInput.Position();
  const int64_t value = FInput.ReadInteger();
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    PropertyError("Invalid property value", offset);
  }
  return static_cast<int32_t>(value);
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (FPropHandled || !readData || !SameText(name, FPropName)) return;
  FPropHandled = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc&, bool) {
  if (FPropHandled || !readData || !SameText(name, FPropName)) return;
  FPropHandled = true;
  const std::vector<uint8_t> bytes = FInput.ReadBinary();
  TMemoryStream data;
  data.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  data.SetPosition(0);
  readData(data);
}

TComponent* ReadComponent(TStream& stream, TComponent* root) {
  TReader reader(stream);
  return reader.ReadRootComponent(root);
}

}  // namespace kora
