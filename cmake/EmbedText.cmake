# Writes OUTPUT, a C++ source that defines `extern const char SYMBOL[]` with INPUT's bytes.
file(READ "${INPUT}" _hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," _bytes "${_hex}")
string(REGEX REPLACE "(('[^']+',){16})" "\\1\n" _bytes "${_bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\nextern const char ${SYMBOL}[];\nconst char ${SYMBOL}[] = {\n${_bytes}'\\0'};\n")
