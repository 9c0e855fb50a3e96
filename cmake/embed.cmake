# Writes OUTPUT, a C++ source holding every file of FILES (paths relative to BASE) as bytes,
# named by its relative path without extension. Run with cmake -P.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(table "")
set(i 0)
foreach(rel IN LISTS FILES)
    file(READ "${BASE}/${rel}" hex HEX)
    string(LENGTH "${hex}" hexlen)
    math(EXPR size "${hexlen} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "\\.[^.]*$" "" key "${rel}")
    string(APPEND body "const unsigned char d${i}[] = {${bytes}0x00};\n")
    string(APPEND table "    {\"${key}\", reinterpret_cast<const char*>(d${i}), ${size}},\n")
    math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Generated from the artwork; do not edit.\n#include \"assets/embedded.h\"\n\nnamespace assets::detail {\nnamespace {\n${body}}  // namespace\n\nconst Embedded kEmbedded[] = {\n${table}    {nullptr, nullptr, 0},\n};\nconst std::size_t kEmbeddedCount = ${i};\n\n}  // namespace assets::detail\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
