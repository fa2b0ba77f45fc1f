#pragma once
// The text form description and its conversion to and from the binary form
// stream. The text reads like this:
//
//   object frmMain: TfrmMain
//     Caption = 'Kora Editor'
//     Font.Name = '宋体'
//     BorderIcons = [biMinimize]
//     Items.Strings = (
//       'one'
//       'two')
//     CompressedData = {
//       78DA...}
//     OnCreate = FormCreate
//     object Button1: TButton
//       Left = 8
//     end
//   end
//
// Strings are UTF-8 in quotes ('' for a quote) with #nnn (or #$hh) for any
// character code and + joining pieces across lines; numbers may be
// negative, $hex or floats (suffix s single, c currency, d date); lists
// ( ), collections < item ... end >, sets [a, b], binary data in hex
// within { }. `inherited` and `inline` open objects of those kinds and
// `[n]` after the class gives a child position. Text written from a binary
// stream converts back to the same binary stream.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Components.h"

namespace kora {

// EParserError "<what> on line N" for text that is not a form description.
std::vector<uint8_t> FormTextToBinary(std::string_view text);
// One form from the start of `data` (bytes after it are ignored); damaged
// data raises EReadError with its offset.
std::string FormBinaryToText(const uint8_t* data, std::size_t size);

// Stream versions: from the input's position to its end, appended at the
// output's position; nothing is written when the conversion fails.
void ObjectTextToBinary(TStream& input, TStream& output);
void ObjectBinaryToText(TStream& input, TStream& output);

// A text form read into `root`, or into a new component of its class
// (TReader::ReadRootComponent), and a component tree written as text.
TComponent* ReadComponentText(std::string_view text, TComponent* root = nullptr);
std::string WriteComponentText(TComponent* root);

}  // namespace kora
