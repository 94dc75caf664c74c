# Writes OUTPUT, a C++ source whose function FUNCTION returns the bytes of INPUT, declared
# in HEADER. Run as a script: cmake -DINPUT=... -DOUTPUT=... -DHEADER=... -DFUNCTION=... -P
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
string(REPEAT "'[^']*'," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} by cmake/EmbedText.cmake.\n"
  "#include \"${HEADER}\"\n\n"
  "namespace {\n\nconst char kText[] = {\n    ${bytes}0};\n\n} // namespace\n\n"
  "std::string_view ${FUNCTION}()\n{\n    return {kText, sizeof kText - 1};\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
