# cmake -DOUTPUT=file.cpp -DNAMES=a|b -DFILES=x|y -P EmbedFiles.cmake
# Writes a C++ source defining, for each file, `const unsigned char NAME[]`
# with its bytes and `const unsigned NAME_size`.
set(source "// Made by cmake/EmbedFiles.cmake from the files named below.\n")
string(REPLACE "|" ";" NAMES "${NAMES}")
string(REPLACE "|" ";" FILES "${FILES}")
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET NAMES ${i} name)
  list(GET FILES ${i} file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  "
         bytes "${bytes}")
  get_filename_component(shown "${file}" NAME)
  string(APPEND source "\n// ${shown}\nextern const unsigned char ${name}[] = {\n  ${bytes}\n};\n"
         "extern const unsigned ${name}_size = ${size};\n")
endforeach()
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
