# Pictures the programs carry, built into them as byte arrays.
#
#   include(${PROJECT_SOURCE_DIR}/assets/embed.cmake)
#   hoarveil_embed_assets(<target> ${PROJECT_SOURCE_DIR}/assets/preview.bmp ...)
#
# gives the target, for each file, a header "assets/<name>_<ext>.h" (here "assets/preview_bmp.h")
# declaring `std::span<const std::uint8_t> assets::preview_bmp()`: the file's bytes, unchanged.
# Run as a script (cmake -P) it writes one file's source and header.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  file(WRITE "${HEADER}.new"
    "#pragma once\n// Generated from ${INPUT}: the file's bytes.\n"
    "#include <cstdint>\n#include <span>\n\n"
    "namespace assets {\nstd::span<const std::uint8_t> ${SYMBOL}();\n}\n")
  file(WRITE "${SOURCE}.new"
    "// Generated from ${INPUT}.\n#include \"assets/${SYMBOL}.h\"\n\n"
    "namespace assets {\nnamespace {\nconst std::uint8_t bytes[${size}] = {\n${bytes}\n};\n}\n\n"
    "std::span<const std::uint8_t> ${SYMBOL}()\n{\n    return bytes;\n}\n}  // namespace assets\n")
  file(RENAME "${HEADER}.new" "${HEADER}")
  file(RENAME "${SOURCE}.new" "${SOURCE}")
  return()
endif()

set(HOARVEIL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(hoarveil_embed_assets target)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  foreach(input ${ARGN})
    get_filename_component(name ${input} NAME)
    string(MAKE_C_IDENTIFIER ${name} symbol)
    set(source ${folder}/${symbol}.cpp)
    set(header ${folder}/assets/${symbol}.h)
    add_custom_command(
      OUTPUT ${source} ${header}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DSYMBOL=${symbol} -DSOURCE=${source} -DHEADER=${header}
              -P ${HOARVEIL_EMBED_SCRIPT}
      DEPENDS ${input} ${HOARVEIL_EMBED_SCRIPT}
      COMMENT "Embedding ${name}"
      VERBATIM)
    target_sources(${target} PRIVATE ${source} ${header})
  endforeach()
  target_include_directories(${target} PUBLIC ${folder})
endfunction()
