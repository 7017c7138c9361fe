# Writes a C++ source holding the bytes of IN as `std::string_view SYMBOL`.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hex_len)
math(EXPR byte_len "${hex_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUT}" "#include <string_view>\nnamespace { const char kData[] = {${bytes} 0}; }\nextern const std::string_view ${SYMBOL};\nconst std::string_view ${SYMBOL}{kData, ${byte_len}};\n")
