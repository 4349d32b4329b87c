# Writes a C++ source defining talik::plot::LAND_TEXT as the text of INPUT.
# Run as: cmake -DINPUT=... -DOUTPUT=... -P embed_text.cmake
file(READ "${INPUT}" text)
string(FIND "${text}" ")LAND\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the raw string's closing delimiter")
endif()
file(WRITE "${OUTPUT}.tmp"
     "// Generated from ${INPUT} by embed_text.cmake; do not edit.\n"
     "#include \"plot/land.hpp\"\n\n"
     "namespace talik::plot {\n"
     "const std::string_view LAND_TEXT = R\"LAND(${text})LAND\";\n"
     "}  // namespace talik::plot\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
