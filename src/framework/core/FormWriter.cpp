#include "framework/core/Collections.h"
#include "framework/core/Filer.h"

namespace kora {

namespace {

bool HasSetter(const TPropInfo& prop) {
  switch (prop.Kind()) {
    case TTypeKind::tkFloat: return static_cast<bool>(prop.SetFloat);
    case TTypeKind::tkString: return static_cast<bool>(prop.SetStr);
    case TTypeKind::tkClass: return static_cast<bool>(prop.SetObj);
    case TTypeKind::tkMethod: return static_cast<bool>(prop.SetMethod);
    default: return static_cast<bool>(prop.SetOrd);
  }
}

}  // namespace

void TWriter::WriteRootComponent(TComponent* root) {
  FRoot = root;
  FOutput.WriteSignature();
  WriteComponent(root, 0);
  FStream.WriteBuffer(FOutput.Bytes().data(), static_cast<int64_t>(FOutput.Bytes().size()));
}

void TWriter::WriteComponent(TComponent* component, int depth) {
  if (depth > kMaxFormNesting) throw EWriteError("Nesting too deep in " + component->Name());
  component->Include(csWriting);
  try {
    TObjectHeader header;
    header.ClassName = component->ClassName();
    header.ObjectName = component->Name();
    FOutput.WriteObjectHeader(header);
    WriteProperties(component, "", depth);
    FOutput.WriteListEnd();
    component->GetChildren([&](TComponent* child) { WriteComponent(child, depth + 1); }, FRoot);
    FOutput.WriteListEnd();
  } catch (...) {
    component->Exclude(csWriting);
    throw;
  }
  component->Exclude(csWriting);
}

void TWriter::WriteProperties(const TPersistent* instance, const std::string& prefix, int depth) {
  if (depth > kMaxFormNesting) throw EWriteError("Nesting too deep at " + prefix);
  for (const TPropInfo* prop : instance->ClassType()->Properties()) {
    if (prop->IsStored && !prop->IsStored(*instance)) continue;
    WriteProperty(instance, *prop, prefix, depth);
  }
  const std::string savedPath = FPropPath;
  FPropPath = prefix;
  // DefineProperties is not const: it hands out accessors that may change
  // the object when reading; writing only calls the write side.
  const_cast<TPersistent*>(instance)->DefineProperties(*this);
  FPropPath = savedPath;
}

void TWriter::WriteProperty(const TPersistent* instance, const TPropInfo& prop, const std::string& prefix, int depth) {
  const std::string name = prefix + prop.Name;
  switch (prop.Kind()) {
    case TTypeKind::tkClass: {
      TObject* value = GetObjectProp(*instance, prop);
      if (!value) return;
      if (prop.IsComponentReference()) {
        const std::string reference = HasSetter(prop) ? ReferenceName(static_cast<TComponent*>(value)) : "";
        if (reference.empty()) return;
        FOutput.WriteShortString(name);
        FOutput.WriteIdent(reference);
      } else if (const auto* collection = dynamic_cast<const TCollection*>(value)) {
        if (collection->Count() == 0) return;
        FOutput.WriteShortString(name);
        WriteCollection(*collection, depth + 1);
      } else if (const auto* persistent = dynamic_cast<const TPersistent*>(value)) {
        WriteProperties(persistent, name + ".", depth + 1);
      }
      return;
    }
    case TTypeKind::tkMethod: {
      const TMethodRef method = GetMethodProp(*instance, prop);
      // Only handlers of the root can be found again by name.
      if (!HasSetter(prop) || method.Name.empty() || method.Target != FRoot) return;
      FOutput.WriteShortString(name);
      FOutput.WriteIdent(method.Name);
      return;
    }
    default: break;
  }
  if (!HasSetter(prop)) return;
  switch (prop.Kind()) {
    case TTypeKind::tkFloat: {
      const double value = GetFloatProp(*instance, prop);
      if (value == 0) return;
      FOutput.WriteShortString(name);
      if (prop.PropType->FloatType == TFloatType::ftSingle) {
        FOutput.WriteSingle(static_cast<float>(value));
      } else {
        FOutput.WriteExtended(value);
      }
      return;
    }
    case TTypeKind::tkString: {
      const std::string value = GetStrProp(*instance, prop);
      if (value.empty()) return;
      FOutput.WriteShortString(name);
      FOutput.WriteString(value);
      return;
    }
    default: {
      const int64_t value = GetOrdProp(*instance, prop);
      if (prop.Default && *prop.Default == value) return;
      FOutput.WriteShortString(name);
      WriteOrdinal(prop, value);
      return;
    }
  }
}

void TWriter::WriteOrdinal(const TPropInfo& prop, int64_t value) {
  const TTypeInfo* type = prop.PropType;
  switch (type->Kind) {
    case TTypeKind::tkEnumeration:
      if (type == TypeInfoBoolean()) {
        FOutput.WriteValue(value ? vaTrue : vaFalse);
      } else {
        const std::string name = GetEnumName(type, value);
        if (name.empty()) throw EWriteError("Invalid value of " + prop.Name);
        FOutput.WriteIdent(name);
      }
      break;
    case TTypeKind::tkSet: {
      std::vector<std::string> names;
      const auto& elements = type->ElementType->EnumNames;
      for (std::size_t i = 0; i < elements.size() && i < 64; ++i) {
        if ((static_cast<uint64_t>(value) >> i) & 1) names.push_back(elements[i]);
      }
      FOutput.WriteSet(names);
      break;
    }
    default: {
      std::string ident;
      if (IntToIdent(type, value, ident)) {
        FOutput.WriteIdent(ident);
      } else {
        FOutput.WriteInteger(value);
      }
    }
  }
}

void TWriter::WriteCollection(const TCollection& collection, int depth) {
  FOutput.WriteValue(vaCollection);
  for (int i = 0; i < collection.Count(); ++i) {
    FOutput.WriteValue(vaList);
    WriteProperties(collection.Items(i), "", depth + 1);
    FOutput.WriteListEnd();
  }
  FOutput.WriteListEnd();
}

std::string TWriter::ReferenceName(const TComponent* component) const {
  if (component->Name().empty()) return {};
  if (component == FRoot || component->Owner() == FRoot) return component->Name();
  // A component of another owner: qualified by its owner's name.
  const TComponent* owner = component->Owner();
  if (!owner || owner->Name().empty()) return {};
  return owner->Name() + "." + component->Name();
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  FOutput.WriteShortString(FPropPath + name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream data;
  writeData(data);
  FOutput.WriteShortString(FPropPath + name);
  FOutput.WriteBinary(data.Memory(), data.Bytes().size());
}

void WriteComponent(TStream& stream, TComponent* root) {
  TWriter writer(stream);
  writer.WriteRootComponent(root);
}

}  // namespace kora
