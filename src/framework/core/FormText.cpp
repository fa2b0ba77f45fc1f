// Binary form stream to text.
#include "framework/core/FormText.h"

#include <charconv>
#include <cmath>

#include "framework/core/Filer.h"
#include "platform/text/Utf8.h"

namespace kora {

namespace {

// Longest run of string bytes per line before the text continues with +.
constexpr std::size_t kStringChunk = 64;
// Hex digits per line of binary data.
constexpr std::size_t kBinaryLine = 64;

std::string Indent(int level) { return std::string(static_cast<std::size_t>(level) * 2, ' '); }

// Idents may be dotted (Font.Name, Form1.Button1); anything else could not
// be read back.
bool IsDottedIdent(std::string_view text) {
  std::size_t start = 0;
  for (;;) {
    const auto dot = text.find('.', start);
    if (!IsValidIdent(text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start))) {
      return false;
    }
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

// One piece of a string: quoted printable text, #nn for control
// characters and for bytes that are not UTF-8.
std::string QuoteChunk(std::string_view text) {
  std::string out;
  bool quoted = false;
  auto openQuote = [&] {
    if (!quoted) out += '\'';
    quoted = true;
  };
  auto closeQuote = [&] {
    if (quoted) out += '\'';
    quoted = false;
  };
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      openQuote();
      out += static_cast<char>(c);
      if (c == '\'') out += '\'';
      ++i;
    } else if (std::size_t end = i; c >= 0x80 && !(DecodeUtf8(text, end) == kReplacementChar && end == i + 1)) {
      openQuote();
      out.append(text.substr(i, end - i));
      i = end;
    } else {
      closeQuote();
      out += '#' + std::to_string(c);
      ++i;
    }
  }
  closeQuote();
  return out.empty() ? "''" : out;
}

template <typename T>
std::string FloatText(T value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  // A float must not read back as an integer.
  if (text.find_first_of(".E") == std::string::npos) text += ".0";
  return text;
}

std::string CurrencyText(int64_t tenThousandths) {
  const bool negative = tenThousandths < 0;
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(tenThousandths) : static_cast<uint64_t>(tenThousandths);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction + "c";
}

class TTextWriter {
public:
  explicit TTextWriter(TFormInput& input) : FInput(input) {}

  std::string Convert() {
    FInput.ReadSignature();
    WriteObject(0);
    return std::move(FText);
  }

private:
  std::string DottedName(std::string name) const {
    if (!IsDottedIdent(name)) FInput.Error("Invalid name '" + name + "'");
    return name;
  }

  // Where a property is expected, these words start or end objects.
  std::string PropertyName(std::string name) const {
    for (const char* keyword : {"object", "inherited", "inline", "end"}) {
      if (SameText(name, keyword)) FInput.Error("Invalid name '" + name + "'");
    }
    return DottedName(std::move(name));
  }

  // Object, class and set element names have no dots.
  std::string PlainName(std::string name) const {
    if (!IsValidIdent(name)) FInput.Error("Invalid name '" + name + "'");
    return name;
  }

  void WriteObject(int level) {
    if (level > kMaxFormNesting) FInput.Error("Nesting too deep");
    const TObjectHeader header = FInput.ReadObjectHeader();
    FText += Indent(level);
    FText += header.Flags.Contains(ffInherited) ? "inherited "
             : header.Flags.Contains(ffInline)  ? "inline "
                                                : "object ";
    if (!header.ObjectName.empty()) FText += PlainName(header.ObjectName) + ": ";
    FText += PlainName(header.ClassName);
    if (header.Flags.Contains(ffChildPos)) FText += " [" + std::to_string(header.ChildPos) + "]";
    FText += '\n';
    WriteProperties(level + 1);
    while (!FInput.EndOfList()) WriteObject(level + 1);
    FInput.ReadListEnd();
    FText += Indent(level) + "end\n";
  }

  void WriteProperties(int level) {
    while (!FInput.EndOfList()) {
      FText += Indent(level) + PropertyName(FInput.ReadShortString()) + " = ";
      WriteValue(level);
      FText += '\n';
    }
    FInput.ReadListEnd();
  }

  void WriteValue(int level) {
    if (level > kMaxFormNesting) FInput.Error("Nesting too deep");
    switch (const TValueType type = FInput.ReadValue()) {
      case vaNull: FInput.Error("Invalid property value");
      case vaList:
        FText += '(';
        while (!FInput.EndOfList()) {
          FText += '\n' + Indent(level + 1);
          WriteValue(level + 1);
        }
        FInput.ReadListEnd();
        FText += ')';
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64: FText += std::to_string(FInput.ReadIntegerPayload(type)); break;
      case vaExtended: FText += Finite(FInput.ReadExtendedPayload()); break;
      case vaSingle: FText += Finite(FInput.ReadSinglePayload()) + "s"; break;
      case vaCurrency: FText += CurrencyText(FInput.ReadInt64Payload()); break;
      case vaDate: FText += Finite(FInput.ReadDatePayload()) + "d"; break;
      case vaString:
      case vaLString:
      case vaWString:
      case vaUTF8String: WriteString(FInput.ReadStringPayload(type), level); break;
      case vaIdent: FText += DottedName(FInput.ReadShortString()); break;
      case vaFalse: FText += "False"; break;
      case vaTrue: FText += "True"; break;
      case vaNil: FText += "nil"; break;
      case vaBinary: WriteBinary(FInput.ReadBinaryPayload(), level); break;
      case vaSet: {
        std::string names;
        for (const std::string& name : FInput.ReadSetPayload()) names += (names.empty() ? "" : ", ") + PlainName(name);
        FText += '[' + names + ']';
        break;
      }
      case vaCollection: WriteCollection(level); break;
    }
  }

  template <typename T>
  std::string Finite(T value) const {
    // Text has no spelling for infinities and NaN.
    if (!std::isfinite(value)) FInput.Error("Invalid floating point value");
    return FloatText(value);
  }

  void WriteString(const std::string& text, int level) {
    std::size_t start = 0;
    do {
      // Chunks end on character boundaries so each piece is valid text.
      std::size_t end = std::min(start + kStringChunk, text.size());
      while (end < text.size() && end > start + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
      if (start > 0) FText += " +\n" + Indent(level + 1);
      FText += QuoteChunk(std::string_view(text).substr(start, end - start));
      start = end;
    } while (start < text.size());
  }

  void WriteBinary(const std::vector<uint8_t>& data, int level) {
    static const char kHex[] = "0123456789ABCDEF";
    FText += '{';
    for (std::size_t i = 0; i < data.size(); ++i) {
      if (i % (kBinaryLine / 2) == 0) FText += '\n' + Indent(level + 1);
      FText += kHex[data[i] >> 4];
      FText += kHex[data[i] & 0xF];
    }
    FText += '}';
  }

  void WriteCollection(int level) {
    FText += '<';
    while (!FInput.EndOfList()) {
      FText += '\n' + Indent(level + 1) + "item";
      const TValueType next = FInput.NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32) {
        FText += " [" + std::to_string(FInput.ReadInteger()) + "]";
      }
      if (FInput.ReadValue() != vaList) FInput.Error("Invalid property value");
      FText += '\n';
      WriteProperties(level + 2);
      FText += Indent(level + 1) + "end";
    }
    FInput.ReadListEnd();
    FText += '>';
  }

  TFormInput& FInput;
  std::string FText;
};

std::string ReadAll(TStream& input) {
  const int64_t left = std::max<int64_t>(input.Size() - input.Position(), 0);
  std::string bytes(static_cast<std::size_t>(left), '\0');
  input.ReadBuffer(bytes.data(), left);
  return bytes;
}

}  // namespace

std::string FormBinaryToText(const uint8_t* data, std::size_t size) {
  TFormInput input(data, size);
  return TTextWriter(input).Convert();
}

void ObjectTextToBinary(TStream& input, TStream& output) {
  const std::vector<uint8_t> binary = FormTextToBinary(ReadAll(input));
  output.WriteBuffer(binary.data(), static_cast<int64_t>(binary.size()));
}

void ObjectBinaryToText(TStream& input, TStream& output) {
  const std::string bytes = ReadAll(input);
  const std::string text = FormBinaryToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  output.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

TComponent* ReadComponentText(std::string_view text, TComponent* root) {
  const std::vector<uint8_t> binary = FormTextToBinary(text);
  TMemoryStream stream;
  stream.WriteBuffer(binary.data(), static_cast<int64_t>(binary.size()));
  stream.SetPosition(0);
  return ReadComponent(stream, root);
}

std::string WriteComponentText(TComponent* root) {
  TMemoryStream stream;
  WriteComponent(stream, root);
  return FormBinaryToText(stream.Memory(), stream.Bytes().size());
}

}  // namespace kora
