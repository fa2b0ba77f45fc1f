# Compiles a window's stored form description into a C++ source holding its
# binary form stream, with a compressed skin file's archive put into the
# description's empty "CompressedData = {}".
# cmake -DFORMC=... -DFORM=... -DSKIN=... -DWORK=... -DOUT=... -DFUNCTION=... [-DEMULATOR=...] -P EmbedForm.cmake
# EMULATOR runs formc where it is built for another system (Wine for Windows).
foreach(v FORMC FORM SKIN WORK OUT FUNCTION)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "EmbedForm: ${v} is not set")
  endif()
endforeach()

# A compressed skin file is its version and the archive's length (32 bits
# each), then the archive.
file(READ "${SKIN}" archive OFFSET 8 HEX)
if(archive STREQUAL "")
  message(FATAL_ERROR "EmbedForm: ${SKIN} holds no skin archive")
endif()
file(READ "${FORM}" text)
string(FIND "${text}" "CompressedData = {}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "EmbedForm: ${FORM} has no empty CompressedData for the skin")
endif()
string(REPLACE "CompressedData = {}" "CompressedData = {${archive}}" text "${text}")
file(WRITE "${WORK}.txt" "${text}")
execute_process(COMMAND ${EMULATOR} "${FORMC}" text2bin "${WORK}.txt" "${WORK}.bin" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "EmbedForm: formc could not compile ${FORM}")
endif()

file(READ "${WORK}.bin" stream HEX)
string(LENGTH "${stream}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${stream}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
file(WRITE "${OUT}.tmp" "// Made by the build from ${FORM}; do not edit.
#include <cstdint>
#include <span>

namespace kora {
namespace {
const uint8_t kStream[${size}] = {
${bytes}};
}  // namespace
std::span<const uint8_t> ${FUNCTION}() { return kStream; }
}  // namespace kora
")
file(RENAME "${OUT}.tmp" "${OUT}")
