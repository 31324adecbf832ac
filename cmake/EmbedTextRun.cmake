# Writes the bytes of IN as a C++ array named SYMBOL into OUT.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}" "#include <cstddef>\n"
    "static const unsigned char data[] = {\n${bytes}0};\n"
    "extern const char* const ${SYMBOL} = reinterpret_cast<const char*>(data);\n"
    "extern const std::size_t ${SYMBOL}_size = ${size};\n")
