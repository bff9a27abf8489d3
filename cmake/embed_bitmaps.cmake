# Turns the committed bitmap files into a C++ source that holds their bytes, so a program
# needs no resource folder at run time. Run as
#   cmake -DBITMAP_DIR=<folder> -DOUTPUT=<file.cpp> -P embed_bitmaps.cmake
# Every "<id>_<name>.bmp" of the folder becomes one entry of kBuiltInBitmapFiles, in id order.
file(GLOB files RELATIVE "${BITMAP_DIR}" "${BITMAP_DIR}/*.bmp")
list(SORT files COMPARE NATURAL)
set(arrays "")
set(entries "")
set(count 0)
foreach(name ${files})
  if(NOT name MATCHES "^([0-9]+)_")
    continue()
  endif()
  set(id ${CMAKE_MATCH_1})
  file(READ "${BITMAP_DIR}/${name}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # 32 bytes a line.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){32})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char file${id}[${size}] = {\n    ${bytes}\n};\n")
  string(APPEND entries "    {${id}, \"${name}\", file${id}, ${size}},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "no bitmaps in ${BITMAP_DIR}")
endif()
file(WRITE "${OUTPUT}.tmp"
"// Generated from the committed bitmap folder by embed_bitmaps.cmake; do not edit.
#include \"layout/built_in_bitmaps.h\"

namespace {
${arrays}}  // namespace

const BuiltInBitmapFile kBuiltInBitmapFiles[] = {
${entries}};
const std::size_t kBuiltInBitmapFileCount = ${count};
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
