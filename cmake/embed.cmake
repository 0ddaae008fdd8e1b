# Writes the bytes of IN as a C++ array NAME (and NAME##Size) into OUT.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" len)
math(EXPR size "${len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n  " body "${body}")
file(WRITE ${OUT}.tmp "// Generated from ${IN}; do not edit.\n#pragma once\n#include <cstddef>\n"
  "inline constexpr unsigned char ${NAME}[] = {\n  ${body}\n};\n"
  "inline constexpr std::size_t ${NAME}Size = ${size};\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
