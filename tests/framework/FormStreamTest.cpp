#include <memory>

#include <gtest/gtest.h>

#include "framework/TestClasses.h"
#include "framework/core/FormText.h"

namespace kora::test {
namespace {

// Exactly what the writer produces for the tree it describes.
const char* const kFormText = R"(object Form1: TTestForm
  Caption = 'Main'#13#10'window'
  Count = -5
  object Timer1: TTestTimer
    Interval = 50
    Left = 8
    Top = -16
  end
  object Panel1: TTestWidget
    Enabled = False
    Border = tbDouble
    Anchors = [taLeft, taRight]
    Ratio = 1.5
    Scale = 0.25s
    Color = clWindow
    Font.Name = '宋体'
    Font.Size = -12
    Items.Strings = (
      'one'
      'it''s')
    Panels = <
      item
        Text = 'a'
        Width = 50
      end
      item
      end>
    Link = Button1
    Data = {
      0001FF}
    object Button1: TTestWidget
      Big = 5000000000
      Link = Panel1
      OnClick = ButtonClick
      OnMeasure = Measure
    end
  end
end
)";

class FormStream : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
  }

  static std::unique_ptr<TTestForm> Load(std::string_view text) {
    return std::unique_ptr<TTestForm>(static_cast<TTestForm*>(ReadComponentText(text)));
  }
};

TEST_F(FormStream, TextToBinaryAndBackIsLossless) {
  const std::vector<uint8_t> binary = FormTextToBinary(kFormText);
  ASSERT_EQ(std::string(binary.begin(), binary.begin() + 4), "TPF0");
  const std::string text = FormBinaryToText(binary.data(), binary.size());
  EXPECT_EQ(text, kFormText);
  EXPECT_EQ(FormTextToBinary(text), binary);

  // Long strings continue with +, long binary data on further lines.
  const std::string longText = "object A: TTestWidget\n  Caption = '" + std::string(70, 'x') + "'\n  Data = {" +
                               std::string(70, 'A') + "}\nend\n";
  const std::vector<uint8_t> longBinary = FormTextToBinary(longText);
  const std::string written = FormBinaryToText(longBinary.data(), longBinary.size());
  EXPECT_NE(written.find("' +\n    'xxxxxx'"), std::string::npos) << written;
  EXPECT_EQ(FormTextToBinary(written), longBinary);

  // A text saved with a UTF-8 byte-order mark reads as the same form.
  EXPECT_EQ(FormTextToBinary("\xEF\xBB\xBF" + std::string(kFormText)), binary);
}

TEST_F(FormStream, ValueEncodings) {
  auto bytesOf = [](const std::string& value) {
    const auto binary = FormTextToBinary("object A: T\n  P = " + value + "\nend");
    // Signature, class, name, property name: the value follows.
    return std::vector<uint8_t>(binary.begin() + 4 + 2 + 2 + 2, binary.end() - 2);
  };
  using B = std::vector<uint8_t>;
  EXPECT_EQ(bytesOf("-1"), (B{vaInt8, 0xFF}));
  EXPECT_EQ(bytesOf("300"), (B{vaInt16, 0x2C, 0x01}));
  EXPECT_EQ(bytesOf("$10000"), (B{vaInt32, 0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(bytesOf("True"), (B{vaTrue}));
  EXPECT_EQ(bytesOf("nil"), (B{vaNil}));
  EXPECT_EQ(bytesOf("'a'#10"), (B{vaString, 2, 'a', '\n'}));
  EXPECT_EQ(bytesOf("#$4E2D"), (B{vaUTF8String, 3, 0, 0, 0, 0xE4, 0xB8, 0xAD}));
  EXPECT_EQ(bytesOf("{0A0b}"), (B{vaBinary, 2, 0, 0, 0, 0x0A, 0x0B}));
  EXPECT_EQ(bytesOf("[]"), (B{vaSet, 0}));
  EXPECT_EQ(bytesOf("1.0"), (B{vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  EXPECT_EQ(bytesOf("1.25c"), (B{vaCurrency, 0xD4, 0x30, 0, 0, 0, 0, 0, 0}));
  // Foreign encodings read back as the same values.
  const B wide = {'T', 'P', 'F', '0', 1, 'T', 1, 'A', 1, 'P', vaWString, 1, 0, 0, 0, 0x2D, 0x4E, 0, 0};
  EXPECT_EQ(FormBinaryToText(wide.data(), wide.size()), "object A: T\n  P = '中'\nend\n");
}

TEST_F(FormStream, LoadsEveryKindOfPropertyThenFixesUpThenCallsLoaded) {
  auto form = Load(kFormText);
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->Caption(), "Main\r\nwindow");
  EXPECT_EQ(form->Count(), -5);
  ASSERT_EQ(form->ComponentCount(), 3);  // creation order
  auto* timer = static_cast<TTestTimer*>(form->Components(0));
  auto* panel = static_cast<TTestWidget*>(form->FindComponent("panel1"));
  auto* button = static_cast<TTestWidget*>(form->Components(2));
  EXPECT_EQ(timer->Interval, 50);
  EXPECT_EQ(timer->DesignInfo(), static_cast<int32_t>(0xFFF00008));  // design position
  EXPECT_FALSE(panel->Enabled());
  EXPECT_EQ(panel->Border(), tbDouble);
  EXPECT_EQ(panel->Anchors(), (TTestAnchors{taLeft, taRight}));
  EXPECT_EQ(panel->Ratio(), 1.5);
  EXPECT_EQ(panel->Scale(), 0.25f);
  EXPECT_EQ(panel->Color(), static_cast<int32_t>(0xFF000005));
  EXPECT_EQ(panel->Font()->Name, "宋体");
  EXPECT_EQ(panel->Font()->Size, -12);
  EXPECT_EQ(panel->Items()->Text(), "one\nit's\n");
  ASSERT_EQ(panel->Panels()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(panel->Panels()->Items(0))->Width, 50);
  EXPECT_EQ(panel->Data, (std::vector<uint8_t>{0x00, 0x01, 0xFF}));
  EXPECT_EQ(button->Big(), 5000000000);
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(panel->Parent(), form.get());
  EXPECT_EQ(timer->GetParentComponent(), nullptr);

  // References in stored order, forward and backward, all before Loaded,
  // which runs in creation order.
  EXPECT_EQ(Log(), (std::vector<std::string>{"Panel1.Link=Button1", "Button1.Link=Panel1", "Loaded Form1",
                                             "Loaded Panel1 linked to Button1", "Loaded Button1 linked to Panel1"}));
  for (int i = 0; i < form->ComponentCount(); ++i) {
    EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading));
  }

  // Handlers are bound to the form's methods.
  button->OnClick()(button);
  EXPECT_EQ(Log().back(), "ButtonClick Button1");
  int size = 21;
  button->OnMeasure()(button, size);
  EXPECT_EQ(size, 42);

  EXPECT_EQ(WriteComponentText(form.get()), kFormText);
}

TEST_F(FormStream, ReadsIntoAnExistingRootOfItsClass) {
  TTestForm form(nullptr);
  TMemoryStream stream;
  const auto binary = FormTextToBinary("object Main: TTestWidget\n  Count = 3\nend\n");
  stream.WriteBuffer(binary.data(), static_cast<int64_t>(binary.size()));
  stream.WriteBuffer("more", 4);
  stream.SetPosition(0);
  EXPECT_EQ(ReadComponent(stream, &form), &form);
  EXPECT_EQ(stream.Position(), static_cast<int64_t>(binary.size()));
  EXPECT_EQ(form.Count(), 3);
  EXPECT_EQ(form.Name(), "Main");
  TTestTimer timer(nullptr);
  stream.SetPosition(0);
  EXPECT_THROW(ReadComponent(stream, &timer), EReadError);
}

// The binary of a one-object form with one property, for damaging.
std::vector<uint8_t> Form(const std::vector<uint8_t>& property) {
  std::string bytes("TPF0\x0BTTestWidget\x01W", 18);
  bytes.append(property.begin(), property.end());
  bytes.append(2, '\0');
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

TEST_F(FormStream, MalformedBinaryIsRejectedWithTheOffset) {
  using B = std::vector<uint8_t>;
  struct Case {
    B Bytes;
    std::string Message;
  };
  const std::vector<Case> cases = {
      {{'T', 'P', 'F', '1', 1, 'T', 0, 0, 0}, "Invalid stream format at offset 0"},
      {{'T', 'P'}, "Invalid stream format at offset 0"},
      {Form({5, 'C', 'o', 'u', 'n', 't', vaInt64, 1, 2}), "Stream read error at offset 25"},
      {Form({5, 'C', 'o', 'u', 'n', 't', 99}), "Invalid value type 99 at offset 24"},
      {Form({4, 'D', 'a', 't', 'a', vaBinary, 0xFF, 0xFF, 0xFF, 0x7F}), "Stream read error at offset 28"},
      {Form({7, 'C', 'a', 'p', 't', 'i', 'o', 'n', vaLString, 0xFF, 0xFF, 0xFF, 0xFF}), "Stream read error"},
      {Form({7, 'C', 'a', 'p', 't', 'i', 'o', 'n', vaNull}), "Invalid property value"},
      {Form({5, 'C', 'o', 'u', 'n', 't', vaString, 1, 'x'}), "Invalid property value"},
      {{'T', 'P', 'F', '0', 0xF8, 1, 'T', 0}, "Invalid stream format"},
      {{'T', 'P', 'F', '0', 0, 1, 'A', 0, 0}, "Class name expected"},
  };
  for (const Case& c : cases) {
    try {
      TMemoryStream stream;
      stream.WriteBuffer(c.Bytes.data(), static_cast<int64_t>(c.Bytes.size()));
      stream.SetPosition(0);
      delete ReadComponent(stream);
      ADD_FAILURE() << "accepted: " << c.Message;
    } catch (const EReadError& e) {
      EXPECT_NE(e.Message().find(c.Message), std::string::npos) << e.Message();
    }
  }

  // Lists nested without end cannot exhaust the stack.
  B deep = {1, 'X'};
  for (int i = 0; i < 100000; ++i) deep.push_back(vaList);
  const B deepList = Form(deep);
  EXPECT_THROW(FormBinaryToText(deepList.data(), deepList.size()), EReadError);
  B deepObjects = {'T', 'P', 'F', '0'};
  for (int i = 0; i < 1000; ++i) deepObjects.insert(deepObjects.end(), {1, 'T', 0, 0});
  EXPECT_THROW(FormBinaryToText(deepObjects.data(), deepObjects.size()), EReadError);

  // An unknown class is named.
  const auto unknown = FormTextToBinary("object A: TTestForm\n  object B: TNoSuchClass\n  end\nend");
  TMemoryStream stream;
  stream.WriteBuffer(unknown.data(), static_cast<int64_t>(unknown.size()));
  stream.SetPosition(0);
  try {
    delete ReadComponent(stream);
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass not found at offset 17");
  }
}

TEST_F(FormStream, MalformedTextIsRejectedWithTheLine) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"thing A: T\nend", "'object' expected on line 1"},
      {"object A: T\n  P = 'open\nend", "Unterminated string on line 2"},
      {"object A: T\n  P = {0A0}\nend", "Invalid binary value on line 2"},
      {"object A: T\n  P = (1 2\nend", "Property value expected on line 3"},
      {"object A: T\n  P = 99999999999999999999\nend", "Integer out of range on line 2"},
      {"object A: T\n  P = 1E999\nend", "Invalid floating point number on line 2"},
      {"object A: T\n  P = 1\n", "'end' expected on line 3"},
      {"object A: T\nend\nobject", "End of file expected on line 3"},
      {"object A: T\n  P = 'a' +\nend", "String expected on line 3"},
      {"object A: T\n  P = #55296\nend", "Invalid character code on line 2"},
      {"object A: T\n  P = '\xC3('\nend", "Invalid UTF-8 text on line 2"},
      {"object A: T\n  P = [a, 1]\nend", "Identifier expected on line 2"},
      {"object A: T\n  P = <x>\nend", "'item' expected on line 2"},
      {"object A: T\n  P = <item\n  inherited = 1\n  end>\nend", "Invalid name 'inherited' on line 3"},
      {"object A: T\n  P = 12abc\nend", "Invalid number on line 2"},
      {"object A: T\n  Font..Name = 1\nend", "Invalid identifier on line 2"},
      {"object A: T\n  " + std::string(300, 'x') + " = 1\nend", "Identifier too long on line 2"},
  };
  for (const auto& [text, message] : cases) {
    try {
      FormTextToBinary(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
  std::string deep = "object A: T\n  P = ";
  for (int i = 0; i < 10000; ++i) deep += '(';
  EXPECT_THROW(FormTextToBinary(deep), EParserError);
}

TEST_F(FormStream, ContentErrorsNameTheComponentAndPropertyAndFreeWhatWasCreated) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"  object B: TTestWidget\n    Missing = 1\n  end\n", "Error reading B.Missing: Property Missing does not exist"},
      {"  object B: TTestWidget\n    Font.Missing = 1\n  end\n",
       "Error reading B.Font.Missing: Property Font.Missing does not exist"},
      {"  object B: TTestWidget\n    OnClick = NoHandler\n  end\n",
       "Error reading B.OnClick: Method NoHandler not found"},
      {"  object B: TTestWidget\n    OnClick = Measure\n  end\n",
       "Error reading B.OnClick: Method Measure does not fit the event"},
      {"  object B: TTestWidget\n    Link = Nobody\n  end\n", "Error reading B.Link: Unresolved reference to 'Nobody'"},
      {"  object B: TTestWidget\n    Link = T\n  end\n  object T: TTestTimer\n  end\n",
       "Error reading B.Link: Invalid property value"},
      {"  object B: TTestWidget\n    Border = tbTriple\n  end\n", "Error reading B.Border: Invalid property value"},
      {"  object B: TTestWidget\n    Count = 3000000000\n  end\n", "Error reading B.Count: Invalid property value"},
      {"  object B: TTestWidget\n    Anchors = [taMiddle]\n  end\n",
       "Error reading B.Anchors: Invalid property element: taMiddle"},
      {"  object B: TTestWidget\n    Panels = 5\n  end\n", "Error reading B.Panels: Invalid property value"},
      {"  object B: TTestWidget\n  end\n  object B: TTestWidget\n  end\n", "A component named B already exists"},
      {"  object 3: TTestWidget\n  end\n", "Identifier expected"},
  };
  for (const auto& [body, message] : cases) {
    TTestForm form(nullptr);
    auto* kept = new TTestTimer(&form);
    kept->SetName("Kept");
    try {
      ReadComponentText("object F: TTestForm\n" + body + "end\n", &form);
      ADD_FAILURE() << "accepted: " << body;
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(message), std::string::npos) << e.Message();
    }
    // What the read created is gone; what was there stays, not loading.
    ASSERT_EQ(form.ComponentCount(), 1) << body;
    EXPECT_EQ(form.Components(0), kept);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
  }

  // Retired properties are skipped, whatever their value.
  auto form = Load("object F: TTestForm\n  OldSetting = (1 'two' [x])\n  Count = 2\nend");
  EXPECT_EQ(form->Count(), 2);
}

TEST_F(FormStream, ReferencesFromCollectionItemsAreFixedUpUnlessTheItemsAreReplaced) {
  auto form = Load(
      "object F: TTestForm\n"
      "  Panels = <\n    item\n      Target = T\n    end>\n"
      "  object T: TTestTimer\n  end\n"
      "  object W: TTestWidget\n"
      "    Panels = <\n      item\n        Target = Gone\n      end>\n"
      "    Panels = <\n      item\n      end>\n"
      "  end\n"
      "end\n");
  EXPECT_EQ(static_cast<TTestItem*>(form->Panels()->Items(0))->Target, form->FindComponent("T"));
  auto* widget = static_cast<TTestWidget*>(form->FindComponent("W"));
  ASSERT_EQ(widget->Panels()->Count(), 1);
  EXPECT_EQ(static_cast<TTestItem*>(widget->Panels()->Items(0))->Target, nullptr);
}

TEST_F(FormStream, DefinedBinaryPropertyIsStoredAsCountedBytes) {
  TTestWidget widget(nullptr);
  widget.Data = {0x78, 0xDA, 0x01};
  TMemoryStream stream;
  WriteComponent(stream, &widget);
  const auto& bytes = stream.Bytes();
  const std::vector<uint8_t> expected = {4, 'D', 'a', 't', 'a', 0x0A, 3, 0, 0, 0, 0x78, 0xDA, 0x01, 0, 0};
  ASSERT_GE(bytes.size(), expected.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(expected.size()), bytes.end()), expected);
}

}  // namespace
}  // namespace kora::test
